#pragma once

#include <QStringList>

#include "platform/cddoor.h"

// Records the tray requests ("open", "close") instead of moving the tester's CD drive.
class CdDoorRecorder final : public platform::CdDoor
{
public:
    bool open() override
    {
        requests << QStringLiteral("open");
        return answer;
    }
    bool close() override
    {
        requests << QStringLiteral("close");
        return answer;
    }

    QStringList requests;
    /// What each request returns; false plays a machine without a drive.
    bool answer = true;
};
