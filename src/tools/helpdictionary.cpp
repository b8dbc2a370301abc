#include "tools/helpdictionary.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QListView>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QStringListModel>

#include "common/clickfilter.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "platform/keyboardlayout.h"
#include "platform/opener.h"
#include "tools/helpstore.h"
#include "ui_HelpPage.h"

namespace {

// The definition as typed: paragraph and line separators as line breaks, no-break spaces kept (the
// plain-text view of the field would turn them into ordinary spaces).
QString typedText(const QPlainTextEdit* memo)
{
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// A field is entered when the focus moves to it inside the window. Focus that merely comes back with the window
// (the user returns from another window, a menu or a list closes) finds the field as it was left, and the user
// may have switched the layout since: switching again there would undo the user's choice.
bool movedByUser(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The list of a look-up box. The entries stored without a type or name are listed as an empty row, which
// no typed name can be confused with; assistive technology and the tooltip call that row by a word.
class NameListModel final : public QStringListModel
{
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if ((role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) && index.isValid() &&
            QStringListModel::data(index, Qt::DisplayRole).toString().isEmpty())
            return QStringLiteral("(пусто)");
        return QStringListModel::data(index, role);
    }
};

// A look-up box holds one list model, refilled whole, so a list of many thousand names costs one reset
// instead of one insertion per row; rows of equal height spare the drop-down measuring each of them.
void prepareLookupBox(QComboBox* box)
{
    box->setModel(new NameListModel(box));
    if (auto* list = qobject_cast<QListView*>(box->view()))
        list->setUniformItemSizes(true);
}

} // namespace

HelpDictionary::HelpDictionary(Ui::HelpPage& form, Shell& shell, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_currentTab(form.PageControl1->currentIndex())
{
    connectGuarded(m_form.Button5, &QPushButton::clicked, this, &HelpDictionary::Button5Click);
    MouseHandlers::onClick(m_form.q1, guarded([this] { q1Click(); }));
    MouseHandlers::onClick(m_form.q2, guarded([this] { q2Click(); }));
    MouseHandlers::onClick(m_form.q3, guarded([this] { q3Click(); }));
    for (QWidget* field : {static_cast<QWidget*>(m_form.Edit3), static_cast<QWidget*>(m_form.Edit4),
                           static_cast<QWidget*>(m_form.Memo1)})
        field->installEventFilter(this);
    connectGuarded(m_form.PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        PageControl1Changing(m_currentTab);
        m_currentTab = index;
        PageControl1Change();
    });
    prepareLookupBox(m_form.ComboBox5);
    prepareLookupBox(m_form.ComboBox6);
    connectGuarded(m_form.ComboBox5, &QComboBox::editTextChanged, this, &HelpDictionary::ComboBox5Change);
    connectGuarded(m_form.ComboBox6, &QComboBox::editTextChanged, this, &HelpDictionary::ComboBox6Change);
    connectGuarded(m_form.ComboBox5, &QComboBox::activated, this, &HelpDictionary::ComboBox5Picked);
    connectGuarded(m_form.ComboBox6, &QComboBox::activated, this, &HelpDictionary::ComboBox6Picked);
    m_form.Button5->installEventFilter(this);
    MouseHandlers::onClick(m_form.Label23, guarded([this] { Label23Click(); }));
    MouseHandlers::onClick(m_form.Label29, guarded([this] { Label29Click(); }));
    MouseHandlers::onClick(m_form.Label32, guarded([this] { Label29Click(); }));
    MouseHandlers::onMouseMove(m_form.TabSheet1, guarded([this](QMouseEvent*) { TabSheet1MouseMove(); }));
}

bool HelpDictionary::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.Button5) {
        // Enter on the focused button stores the entry, as Space does; a held key stores it once.
        if (isEnter(event) && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            m_form.Button5->click();
        return isEnter(event) || QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn && movedByUser(static_cast<QFocusEvent*>(event))) {
        if (watched == m_form.Edit3)
            Edit3Enter();
        else if (watched == m_form.Edit4)
            Edit4Enter();
        else if (watched == m_form.Memo1)
            Memo1Enter();
    } else if (isEnter(event)) {
        // The key still reaches the field afterwards, so the definition field also gets its line break.
        if (watched == m_form.Edit3)
            m_form.Edit4->setFocus();
        else if (watched == m_form.Edit4)
            m_form.Memo1->setFocus();
        else if (watched == m_form.Memo1)
            m_form.Button5->setFocus();
    }
    return QObject::eventFilter(watched, event);
}

void HelpDictionary::Button5Click()
{
    const QString type = m_form.Edit3->text();
    const QString name = m_form.Edit4->text();
    const QString definition = typedText(m_form.Memo1);
    if (type.isEmpty() && name.isEmpty() && definition.isEmpty()) {
        m_shell.showErrorIndicator();
        return;
    }
    HelpStore::store(m_shell.platform(), type, name, definition);
    if (m_form.z3->isChecked()) {
        m_form.Memo1->setFocus();
        m_form.Memo1->clear();
    }
    if (m_form.z2->isChecked()) {
        m_form.Edit4->setFocus();
        m_form.Edit4->clear();
    }
    if (m_form.z1->isChecked()) {
        m_form.Edit3->setFocus();
        m_form.Edit3->clear();
    }
}

void HelpDictionary::toggleLanguage(QLabel* label)
{
    label->setText(label->text() == QStringLiteral("RU") ? QStringLiteral("EN") : QStringLiteral("RU"));
}

void HelpDictionary::q1Click()
{
    toggleLanguage(m_form.q1);
}

void HelpDictionary::q2Click()
{
    toggleLanguage(m_form.q2);
}

void HelpDictionary::q3Click()
{
    toggleLanguage(m_form.q3);
}

void HelpDictionary::activateLayoutFor(const QLabel* languageLabel)
{
    const char* layout = languageLabel->text() == QStringLiteral("RU") ? "00000419" : "00000409";
    m_shell.platform().get<platform::KeyboardLayout>().activate(layout);
}

void HelpDictionary::Edit3Enter()
{
    activateLayoutFor(m_form.q1);
}

void HelpDictionary::Edit4Enter()
{
    activateLayoutFor(m_form.q2);
}

void HelpDictionary::Memo1Enter()
{
    activateLayoutFor(m_form.q3);
}

void HelpDictionary::PageControl1Changing(int leaving)
{
    m_shell.setCaption(QString::number(leaving));
}

void HelpDictionary::reloadKeepingText(QComboBox* box, const QStringList& items)
{
    // Refilling an editable box would put its first entry into the text and report a change.
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    static_cast<QStringListModel*>(box->model())->setStringList(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

void HelpDictionary::PageControl1Change()
{
    // Entries may have been stored meanwhile, so picking the same row again must read them anew.
    m_namesOf.reset();
    m_shown.reset();
    reloadKeepingText(m_form.ComboBox5, HelpStore::types(m_shell.platform()));
}

void HelpDictionary::ComboBox5Change()
{
    m_namesOf = m_form.ComboBox5->currentText();
    reloadKeepingText(m_form.ComboBox6, HelpStore::names(m_shell.platform(), *m_namesOf));
}

void HelpDictionary::ComboBox6Change()
{
    const QString type = m_form.ComboBox5->currentText();
    const QString name = m_form.ComboBox6->currentText();
    if (type.isEmpty() && name.isEmpty())
        return;
    showDefinition(type, name);
}

void HelpDictionary::showDefinition(const QString& type, const QString& name)
{
    m_shown = {type, name};
    m_form.Memo2->setPlainText(HelpStore::definition(m_shell.platform(), type, name));
}

// Picking the row that matches the box's text changes no text, so nothing would be looked up: the empty
// row of the entries without a type, or the name already typed under another type.
void HelpDictionary::ComboBox5Picked()
{
    if (m_namesOf != m_form.ComboBox5->currentText())
        ComboBox5Change();
}

// Picking a name also reaches the entry stored with neither type nor name, which typing cannot.
void HelpDictionary::ComboBox6Picked()
{
    const std::pair<QString, QString> picked{m_form.ComboBox5->currentText(), m_form.ComboBox6->currentText()};
    if (m_shown != picked)
        showDefinition(picked.first, picked.second);
}

void HelpDictionary::openHelpFile()
{
    m_shell.platform().get<platform::Opener>().open(HelpStore::filePath(m_shell.platform()).toStdString());
}

void HelpDictionary::Label23Click()
{
    openHelpFile();
}

void HelpDictionary::Label29Click()
{
    openHelpFile();
}

void HelpDictionary::TabSheet1MouseMove()
{
    m_shell.hideErrorIndicator();
}
