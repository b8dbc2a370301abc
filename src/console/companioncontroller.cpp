#include "console/companioncontroller.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "platform/opener.h"
#include "ui_CompanionGroup.h"

CompanionController::CompanionController(Ui::CompanionGroup& form, Shell& shell, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_list(shell.platform())
{
    const auto picture = [](QToolButton* button, QStyle::StandardPixmap which) {
        button->setIcon(button->style()->standardIcon(which, nullptr, button));
    };
    picture(m_form.AddButton, QStyle::SP_DialogOpenButton);
    picture(m_form.ApplyButton, QStyle::SP_DialogApplyButton);
    picture(m_form.DeleteAllButton, QStyle::SP_TrashIcon);
    connectGuarded(m_form.AddButton, &QToolButton::clicked, this, &CompanionController::add);
    connectGuarded(m_form.ApplyButton, &QToolButton::clicked, this, &CompanionController::apply);
    connectGuarded(m_form.DeleteAllButton, &QToolButton::clicked, this, &CompanionController::deleteAll);
    m_form.ComboBox7->installEventFilter(this);
    m_form.ComboBox7->lineEdit()->installEventFilter(this);
    MouseHandlers::onMouseMove(m_form.CompanionBox, [this](QMouseEvent*) { m_shell.hideErrorIndicator(); });
}

void CompanionController::load()
{
    m_list.load();
    m_form.ComboBox7->clear();
    m_form.ComboBox7->addItems(m_list.items());
    m_form.ComboBox7->setCurrentIndex(-1);
    m_form.ComboBox7->setEditText(QString());
}

void CompanionController::RunCompanions()
{
    // Once per run, however often the window reports that it has faded in.
    if (m_ran)
        return;
    m_ran = true;
    platform::Opener& opener = m_shell.platform().get<platform::Opener>();
    for (const QString& item : m_list.items()) {
        if (!item.isEmpty())
            opener.open(item.toStdString());
    }
}

void CompanionController::add()
{
    if (const std::optional<QString> chosen = Dialogs::openFile(QString(), QString()))
        m_lastChosen = *chosen;
    m_form.ComboBox7->setEditText(m_lastChosen);
    m_form.ApplyButton->click();
}

void CompanionController::apply()
{
    QComboBox* box = m_form.ComboBox7;
    const QString text = box->currentText();
    // A path start.ini cannot hold exactly is refused with the reason, and nothing changes.
    switch (m_list.apply(text)) {
    case CompanionList::Applied::Empty:
        m_shell.showErrorIndicator();
        return;
    case CompanionList::Applied::AlreadyListed:
        return;
    case CompanionList::Applied::Added:
        box->addItem(text);
        box->setEditText(text);
        return;
    }
}

void CompanionController::deleteAll()
{
    m_list.deleteAll();
    m_form.ComboBox7->clear();
    m_form.ComboBox7->setEditText(QString());
}

bool CompanionController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter applies the text as typed; the box's own handling would pick a row of the same text.
            event->accept();
            m_form.ApplyButton->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
