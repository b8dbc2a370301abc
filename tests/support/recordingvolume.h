#pragma once

#include <QList>
#include <optional>

#include "platform/volume.h"

// The output volume as a word in memory: what the program reads and every word it sends, so tests never
// change the tester's own sound. An empty `device` answers as a machine without a sound server.
class RecordingVolume final : public platform::Volume
{
public:
    explicit RecordingVolume(std::optional<std::uint32_t> start = 0xFFFFFFFFu) : device(start) {}

    std::optional<std::uint32_t> read() override
    {
        ++reads;
        return device;
    }
    bool write(std::uint32_t word) override
    {
        written << word;
        if (!device)
            return false;
        device = word;
        return true;
    }

    std::optional<std::uint32_t> device;
    QList<std::uint32_t> written;
    int reads = 0;
};
