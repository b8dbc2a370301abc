#include "console/runboxcontroller.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "common/colors.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "platform/opener.h"
#include "ui_RunBoxGroup.h"

namespace {

bool isEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

RunBoxController::RunBoxController(Ui::RunBoxGroup& form, Shell& shell, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_box(shell.platform())
{
    m_form.ComboBox1->addItems(m_box.items());
    m_form.ComboBox1->setCurrentIndex(-1);
    m_form.ComboBox1->setEditText(RunBox::InitialText);
    connectGuarded(m_form.Button2, &QPushButton::clicked, this, &RunBoxController::Button2Click);
    connectGuarded(m_form.consl, &QCheckBox::toggled, this, &RunBoxController::conslClick);
    connectGuarded(m_form.ComboBox1, &QComboBox::activated, this, &RunBoxController::ComboBox1Picked);
    m_form.ComboBox1->installEventFilter(this);
    m_form.ComboBox1->lineEdit()->installEventFilter(this);
    // The list's window closes just before the box reports the row picked in it.
    m_form.ComboBox1->view()->window()->installEventFilter(this);
}

void RunBoxController::loadHistory()
{
    m_box.loadHistory();
    QComboBox* box = m_form.ComboBox1;
    for (qsizetype row = box->count(); row < m_box.items().size(); ++row)
        box->addItem(m_box.items()[row]);
}

void RunBoxController::Button2Click()
{
    QComboBox* box = m_form.ComboBox1;
    const QString command = box->currentText();
    // A failed write to the run history ends here: the command is neither listed nor started.
    if (m_box.run(command)) {
        box->addItem(command);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    // An empty box has nothing to start.
    if (!command.isEmpty())
        m_shell.platform().get<platform::Opener>().open(command.toStdString());
}

void RunBoxController::conslClick()
{
    const RunBox::Look look = RunBox::look(m_form.consl->isChecked());
    m_form.consl->setText(look.checkCaption);
    QPalette palette = m_form.ComboBox1->palette();
    palette.setColor(QPalette::Base, colorFromTColor(look.background));
    palette.setColor(QPalette::Text, colorFromTColor(look.text));
    m_form.ComboBox1->setPalette(palette);
}

void RunBoxController::ComboBox1Picked()
{
    // The box also reports a row as chosen when the arrow keys or the wheel move through it closed, and when
    // the focus leaves it holding a row's text; each would start something the user did not ask for.
    if (!m_listJustClosed)
        return;
    m_listJustClosed = false;
    m_form.Button2->click();
}

bool RunBoxController::eventFilter(QObject* watched, QEvent* event)
{
    QComboBox* box = m_form.ComboBox1;
    if (isEnterKey(event) && (watched == box || watched == box->lineEdit())) {
        // Enter runs the text as it stands; the box's own handling would first pick a row of the same text.
        event->accept();
        m_form.Button2->click();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == box->lineEdit()) {
        m_form.Button2->click();
        return false;
    }
    if (watched == box->view()->window() && event->type() == QEvent::Hide) {
        m_listJustClosed = true;
        // Closed without a pick (Escape, a click elsewhere): nothing follows in this round of events.
        QTimer::singleShot(0, this, [this] { m_listJustClosed = false; });
    }
    return QObject::eventFilter(watched, event);
}
