#pragma once

#include <QObject>

#include "tools/stopwatchreading.h"

namespace Ui {
class HelpPage;
}
class QTimer;

// The "Супер МИЛИсекундомер": the reading comes from the monotonic clock measured from the start, and
// `Timer3` only refreshes the display, so late ticks never make it fall behind.
class Stopwatch final : public QObject
{
    Q_OBJECT
public:
    Stopwatch(Ui::HelpPage& form, QTimer& timer3, QObject* parent = nullptr);

    void Timer3Timer();
    void BitBtn4Click();
    void BitBtn5Click();
    void CheckBox9Click();

private:
    Ui::HelpPage& m_form;
    QTimer& m_timer;
    StopwatchTiming m_timing;
};
