#pragma once

#include <QLineEdit>
#include <functional>

#include "widgets/numkeyfilter.h"

// A single-line edit for numbers: typed characters are filtered (digits, one decimal separator, a leading
// minus when allowed) and a typed digit that would leave the range puts the bound in the text instead.
// Clipboard and undo keys are refused; the context menu still offers them.
class TNumEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(bool EnableFloat READ EnableFloat WRITE setEnableFloat)
    Q_PROPERTY(bool Unsigned READ Unsigned WRITE setUnsigned)
    Q_PROPERTY(float Min READ Min WRITE setMin)
    Q_PROPERTY(float Max READ Max WRITE setMax)
public:
    explicit TNumEdit(QWidget* parent = nullptr);

    bool EnableFloat() const { return m_rules.enableFloat; }
    void setEnableFloat(bool on) { m_rules.enableFloat = on; }
    bool Unsigned() const { return m_rules.isUnsigned; }
    void setUnsigned(bool on) { m_rules.isUnsigned = on; }
    float Min() const { return m_rules.min; }
    float Max() const { return m_rules.max; }
    void setMin(float value) { SetMin(value); }
    void setMax(float value) { SetMax(value); }
    /// Takes the value unless it is above Max; true when taken.
    bool SetMin(float value);
    /// Takes the value unless it is below Min; true when taken.
    bool SetMax(float value);

    void SetNumb(float value);
    /// The value: empty text reads 0; anything but an integer throws ConvertError.
    float GetNumb() const;

    /// The key-press step: filters the character in place (null rejects it), then runs OnKeyPress.
    void KeyPress(QChar& key);
    /// The owner's key-press event, run after the control's own filter with the possibly changed key.
    std::function<void(QChar&)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    NumEditRules m_rules;
};
