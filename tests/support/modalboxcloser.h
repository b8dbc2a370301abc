#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>
#include <functional>

// Lets a real modal box run its own loop and closes it from inside that loop once it shows (and once the
// test's condition holds), remembering the box's text; so no check has to run inside the box's loop.
class ModalBoxCloser final : public QObject
{
public:
    explicit ModalBoxCloser(std::function<bool()> readyToClose = {}) : m_ready(std::move(readyToClose))
    {
        connect(&m_poll, &QTimer::timeout, this, &ModalBoxCloser::poll);
        m_poll.start(5);
    }

    QStringList closedTexts;

private:
    void poll()
    {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || (m_ready && !m_ready()))
            return;
        if (const auto* message = qobject_cast<QMessageBox*>(box))
            closedTexts << message->text();
        box->close();
    }

    std::function<bool()> m_ready;
    QTimer m_poll;
};
