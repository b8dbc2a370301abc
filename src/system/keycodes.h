#pragma once

#include <QObject>

#include "system/virtualkeys.h"

namespace Ui {
class KeyMouseGroup;
}

// The key and mouse code display of "Клава и Мышь": a key or mouse button pressed in the one-character field
// shows its code in the framed box, as the two check boxes allow; the field is cleared at every press.
class KeyCodes final : public QObject
{
    Q_OBJECT
public:
    explicit KeyCodes(Ui::KeyMouseGroup& form, QObject* parent = nullptr);

    void Edit2KeyDown(const KeyPress& press);
    void Edit2MouseDown(Qt::MouseButton button);
    /// The help button's warning about keys that never arrive.
    void KeyHelpButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::KeyMouseGroup& m_form;
    NativeCodes m_nativeCodes;
};
