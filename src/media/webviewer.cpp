#include "media/webviewer.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>

#include "common/guardedconnect.h"
#include "media/addresslist.h"
#include "media/webbrowser.h"
#include "ui_InternetPage.h"

WebViewer::WebViewer(Ui::InternetPage& form, WebBrowserFactory& factory, QObject* parent)
    : QObject(parent), m_form(form), m_factory(factory), m_popup(new QMenu(form.CppWebBrowser1))
{
    QStyle* style = m_form.BitBtn6->style();
    m_form.BitBtn6->setIcon(style->standardIcon(QStyle::SP_ArrowBack));
    m_form.BitBtn7->setIcon(style->standardIcon(QStyle::SP_ArrowForward));
    m_form.BitBtn8->setIcon(style->standardIcon(QStyle::SP_BrowserStop));
    m_form.BitBtn9->setIcon(style->standardIcon(QStyle::SP_BrowserReload));
    m_form.BitBtn10->setIcon(style->standardIcon(QStyle::SP_DialogApplyButton));

    m_popup->setObjectName(QStringLiteral("PopupMenu2"));
    const struct
    {
        const char* name;
        const char* text;
        void (WebViewer::*handler)();
    } items[] = {
        {"N12", "назад", &WebViewer::BitBtn6Click},      {"N13", "вперед", &WebViewer::BitBtn7Click},
        {"N14", "остановить", &WebViewer::BitBtn8Click}, {"N15", "обновить", &WebViewer::BitBtn9Click},
        {"N16", "переход", &WebViewer::BitBtn10Click},
    };
    for (const auto& item : items) {
        QAction* action = m_popup->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::fromLatin1(item.name));
        connectGuarded(action, &QAction::triggered, this, item.handler);
    }
    connect(m_form.CppWebBrowser1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popup->popup(m_form.CppWebBrowser1->mapToGlobal(at)); });

    connectGuarded(m_form.BitBtn6, &QPushButton::clicked, this, &WebViewer::BitBtn6Click);
    connectGuarded(m_form.BitBtn7, &QPushButton::clicked, this, &WebViewer::BitBtn7Click);
    connectGuarded(m_form.BitBtn8, &QPushButton::clicked, this, &WebViewer::BitBtn8Click);
    connectGuarded(m_form.BitBtn9, &QPushButton::clicked, this, &WebViewer::BitBtn9Click);
    connectGuarded(m_form.BitBtn10, &QPushButton::clicked, this, &WebViewer::BitBtn10Click);
    m_form.ComboBox4->installEventFilter(this);
    m_form.ComboBox4->lineEdit()->installEventFilter(this);
    m_form.CppWebBrowser1->installEventFilter(this);
}

WebViewer::~WebViewer() = default;

bool WebViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.CppWebBrowser1 && event->type() == QEvent::Show)
        ensureBrowser();
    if ((watched == m_form.ComboBox4 || watched == m_form.ComboBox4->lineEdit()) && event->type() == QEvent::KeyPress)
        return ComboBox4KeyPress(static_cast<QKeyEvent*>(event)->key());
    return false;
}

WebBrowser* WebViewer::ensureBrowser()
{
    if (!m_made) {
        m_made = true;
        m_browser = m_factory.make(m_form.CppWebBrowser1);
    }
    return m_browser.get();
}

bool WebViewer::ComboBox4KeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    BitBtn10Click();
    return true;
}

void WebViewer::BitBtn10Click()
{
    QComboBox* box = m_form.ComboBox4;
    const QString address = box->currentText();
    QStringList items;
    items.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    if (!addresslist::holds(items, address)) {
        box->addItem(address);
        // Adding to the list must not change the text in the box.
        box->setEditText(address);
    }
    if (WebBrowser* browser = ensureBrowser())
        browser->Navigate(addresslist::forBrowser(address));
}

void WebViewer::BitBtn6Click()
{
    if (WebBrowser* browser = ensureBrowser())
        browser->GoBack();
}

void WebViewer::BitBtn7Click()
{
    if (WebBrowser* browser = ensureBrowser())
        browser->GoForward();
}

void WebViewer::BitBtn8Click()
{
    if (WebBrowser* browser = ensureBrowser())
        browser->Stop();
}

void WebViewer::BitBtn9Click()
{
    if (WebBrowser* browser = ensureBrowser())
        browser->Refresh();
}
