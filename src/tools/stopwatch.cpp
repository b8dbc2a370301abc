#include "tools/stopwatch.h"

#include <QStyle>
#include <QTextCursor>
#include <QTimer>

#include "common/clock.h"
#include "common/guardedconnect.h"
#include "ui_HelpPage.h"

Stopwatch::Stopwatch(Ui::HelpPage& form, QTimer& timer3, QObject* parent)
    : QObject(parent), m_form(form), m_timer(timer3)
{
    // The display changes every hundredth; a faster refresh would show nothing new.
    m_timer.setInterval(10);
    m_form.BitBtn4->setIcon(m_form.BitBtn4->style()->standardIcon(QStyle::SP_MediaPlay));
    m_form.BitBtn5->setIcon(m_form.BitBtn5->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connectGuarded(&m_timer, &QTimer::timeout, this, &Stopwatch::Timer3Timer);
    connectGuarded(m_form.BitBtn4, &QPushButton::clicked, this, &Stopwatch::BitBtn4Click);
    connectGuarded(m_form.BitBtn5, &QPushButton::clicked, this, &Stopwatch::BitBtn5Click);
    connectGuarded(m_form.CheckBox9, &QCheckBox::clicked, this, &Stopwatch::CheckBox9Click);
}

void Stopwatch::Timer3Timer()
{
    if (!m_timing.running())
        return;
    m_form.StaticText2->setText(stopwatchReading(m_timing.elapsedMs(Clock::instance().monotonicMs())));
}

void Stopwatch::BitBtn4Click()
{
    if (m_form.BitBtn4->text() == QStringLiteral("стоп")) {
        // The last tick may be long past when the window was busy: the frozen reading is the clock's own.
        Timer3Timer();
        m_form.BitBtn4->setText(QStringLiteral("запуск"));
        m_timing.stop();
        m_timer.stop();
        return;
    }
    m_form.BitBtn4->setText(QStringLiteral("стоп"));
    m_timing.start(Clock::instance().monotonicMs());
    m_timer.start();
}

void Stopwatch::BitBtn5Click()
{
    Timer3Timer();
    QPlainTextEdit* memo = m_form.Memo4;
    const QString text = memo->toPlainText();
    QString line = QString::number(listLineCount(text)) + QStringLiteral(" - ") + m_form.StaticText2->text();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        line.prepend(QLatin1Char('\n'));
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line);
    memo->ensureCursorVisible();
}

void Stopwatch::CheckBox9Click()
{
    if (m_form.CheckBox9->isChecked())
        m_form.Memo4->clear();
    m_form.CheckBox9->setChecked(false);
}
