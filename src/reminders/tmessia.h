#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Messia;
}
class QLineEdit;

// The prompt for the reminders' own messages: one window for the whole run, two edits in the same place
// (T for the countdown timer, B for the alarm clock), only the caller's edit visible while it is open.
class TMessia final : public QWidget
{
    Q_OBJECT
public:
    explicit TMessia(QWidget* parent = nullptr);
    ~TMessia() override;

    Ui::Messia& form() { return *ui; }

    /// "Да": hides the window and both edits.
    void BBClick();
    /// Opens without waiting, showing only the timer's edit.
    void openForTimer();
    /// Opens without waiting, showing only the alarm's edit.
    void openForAlarm();
    QString timerText() const;
    QString alarmText() const;

private:
    void openWith(QLineEdit* edit);

    std::unique_ptr<Ui::Messia> ui;
};
