#pragma once

#include <QStringList>
#include <map>

#include "platform/diskspace.h"
#include "platform/keyboardlayout.h"
#include "platform/opener.h"

// Records the layouts the program asks for instead of switching the tester's keyboard.
class RecordingKeyboardLayout final : public platform::KeyboardLayout
{
public:
    void activate(const std::string& layoutId) override { activated << QString::fromStdString(layoutId); }
    QStringList activated;
};

// Records what the program hands to the desktop instead of opening an editor.
class RecordingOpener final : public platform::Opener
{
public:
    bool open(const std::string& target) override
    {
        opened << QString::fromStdString(target);
        return true;
    }
    QStringList opened;
};

// Drives of made-up sizes; a drive missing from `sizes` answers as one without a medium.
class FakeDiskSpace final : public platform::DiskSpace
{
public:
    std::vector<platform::Drive> drives() override { return list; }
    std::string driveOf(const std::string&) override { return current; }
    platform::DriveSize size(const std::string& id) override
    {
        ++queries;
        const auto it = sizes.find(id);
        return it == sizes.end() ? platform::DriveSize{} : it->second;
    }

    std::vector<platform::Drive> list;
    std::string current;
    std::map<std::string, platform::DriveSize> sizes;
    int queries = 0;
};
