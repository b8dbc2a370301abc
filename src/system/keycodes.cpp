#include "system/keycodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "ui_KeyMouseGroup.h"

KeyCodes::KeyCodes(Ui::KeyMouseGroup& form, QObject* parent)
    : QObject(parent), m_form(form), m_nativeCodes(nativeCodesOf(QGuiApplication::platformName()))
{
    m_form.StaticText1->setText(QStringLiteral("0"));
    connectGuarded(form.KeyHelpButton, &QToolButton::clicked, this, &KeyCodes::KeyHelpButtonClick);
    MouseHandlers::onMouseDown(form.Edit2, [this](QMouseEvent* event) { Edit2MouseDown(event->button()); });
    // The boxes' captions wrap in labels of their own beside them; a click on a caption is a click on its box.
    MouseHandlers::onClick(form.KeyCodeLabel, [this] { m_form.KeyCodeBox->click(); });
    MouseHandlers::onClick(form.ButtonCodeLabel, [this] { m_form.ButtonCodeBox->click(); });
    // The field sees its keys before the window's key preview, which keeps some of them (the console's key) to
    // itself; installed after the preview, this filter runs first.
    qApp->installEventFilter(this);
}

bool KeyCodes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form.Edit2 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Edit2KeyDown(KeyPress{key->key(), key->modifiers().testFlag(Qt::KeypadModifier), key->nativeScanCode(),
                              key->nativeVirtualKey()});
    }
    return false;
}

void KeyCodes::Edit2KeyDown(const KeyPress& press)
{
    if (m_form.KeyCodeBox->isChecked())
        if (const std::optional<int> code = virtualKeyCode(press, m_nativeCodes))
            m_form.StaticText1->setText(QString::number(*code));
    // The printable key's character then goes into the emptied field.
    m_form.Edit2->clear();
}

void KeyCodes::Edit2MouseDown(Qt::MouseButton button)
{
    const std::optional<int> code = mouseButtonCode(button);
    if (!code)
        return;
    if (m_form.ButtonCodeBox->isChecked())
        m_form.StaticText1->setText(QString::number(*code));
    m_form.Edit2->clear();
}

void KeyCodes::KeyHelpButtonClick()
{
    Dialogs::message(QStringLiteral("Внимание!\nНекоторые кеи могут не пахать.\nНапример: \"Print Screen\",\"Tab\"."));
}
