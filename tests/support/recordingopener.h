#pragma once

#include <QStringList>

#include "platform/opener.h"

// Records what the program asks the desktop to open or start, instead of starting it.
class OpenerRecorder final : public platform::Opener
{
public:
    bool open(const std::string& target) override
    {
        opened << QString::fromStdString(target);
        return answer;
    }

    /// Every target in the order asked.
    QStringList opened;
    /// What each request returns; false plays a name nothing could take.
    bool answer = true;
};
