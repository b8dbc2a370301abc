#include "widgets/tnumedit.h"

#include <QKeyEvent>

#include "common/errorreport.h"
#include "common/numberlocale.h"

namespace {

bool isClipboardOrUndo(QKeyEvent* event)
{
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo) ||
           event->matches(QKeySequence::Redo);
}

// The character a key types, as the edit would receive it; null for keys that type nothing (arrows,
// Delete, Home...), which the edit handles itself.
QChar typedCharacter(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Backspace)
        return QChar(8);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QChar(13);
    if (key == Qt::Key_Escape)
        return QChar(27);
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return QChar(9);
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(key - Qt::Key_A + 1);
    const QString text = event->text();
    if (text.isEmpty() || (text.size() == 1 && text.at(0) == QChar(127)))
        return QChar();
    return text.at(0);
}

} // namespace

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setText(QStringLiteral("0"));
}

bool TNumEdit::SetMin(float value)
{
    if (value > m_rules.max)
        return false;
    m_rules.min = value;
    return true;
}

bool TNumEdit::SetMax(float value)
{
    if (value < m_rules.min)
        return false;
    m_rules.max = value;
    return true;
}

void TNumEdit::SetNumb(float value)
{
    setText(numberText(value, displayDecimalSeparator()));
}

float TNumEdit::GetNumb() const
{
    return static_cast<float>(numEditValue(text()));
}

void TNumEdit::KeyPress(QChar& key)
{
    const NumKeyOutcome outcome = filterNumKey(key, text(), m_rules, displayDecimalSeparator());
    if (outcome.replacementText)
        setText(*outcome.replacementText);
    key = outcome.key;
    if (OnKeyPress)
        OnKeyPress(key);
}

void TNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (isClipboardOrUndo(event)) {
        event->accept();
        return;
    }
    const QChar typed = typedCharacter(event);
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    QChar key = typed;
    // An unreadable candidate (only after a paste of something else) is reported and the key dropped.
    bool filtered = false;
    runGuarded([&] {
        KeyPress(key);
        filtered = true;
    });
    if (!filtered)
        return;
    if (typed == QChar(8) && key == typed) {
        QLineEdit::keyPressEvent(event);
    } else if (!key.isNull() && key != QChar(8)) {
        insert(QString(key));
    }
}
