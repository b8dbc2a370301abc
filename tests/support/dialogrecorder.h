#pragma once

#include <QList>
#include <deque>

#include "common/dialogs.h"

// Answers every box and dialog of the program without showing it, and remembers what was asked.
// Questions are answered from the queue (Yes when it is empty), so a test states every No it wants.
class DialogRecorder final
{
public:
    DialogRecorder()
    {
        Dialogs::setHook([this](const Dialogs::Request& request) {
            requests.append(request);
            if (m_replies.empty())
                return Dialogs::Reply{};
            Dialogs::Reply reply = m_replies.front();
            m_replies.pop_front();
            return reply;
        });
    }
    ~DialogRecorder() { Dialogs::setHook({}); }
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    void answerNext(Dialogs::Reply reply) { m_replies.push_back(std::move(reply)); }
    void answerNo()
    {
        Dialogs::Reply no;
        no.accepted = false;
        answerNext(no);
    }

    /// Texts of the boxes of one kind, in order.
    QStringList texts(Dialogs::Kind kind) const
    {
        QStringList result;
        for (const Dialogs::Request& request : requests)
            if (request.kind == kind)
                result << request.text;
        return result;
    }
    QStringList messages() const { return texts(Dialogs::Kind::Message); }
    QStringList errors() const { return texts(Dialogs::Kind::Error); }
    QStringList questions() const { return texts(Dialogs::Kind::Question); }
    void clear() { requests.clear(); }

    QList<Dialogs::Request> requests;

private:
    std::deque<Dialogs::Reply> m_replies;
};
