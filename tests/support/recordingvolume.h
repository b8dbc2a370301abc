#pragma once

#include <QList>
#include <atomic>
#include <mutex>
#include <optional>

#include "platform/volume.h"

// The output volume as a word in memory: what the program reads and every word it sends, so tests never
// change the tester's own sound. An empty `device` answers as a machine without a sound server. The window
// reads from a thread of its own, so each request holds the lock; the test looks at the fields once the
// window has handled the answer.
class RecordingVolume final : public platform::Volume
{
public:
    explicit RecordingVolume(std::optional<std::uint32_t> start = 0xFFFFFFFFu) : device(start) {}

    std::optional<std::uint32_t> read() override
    {
        const std::lock_guard lock(m_mutex);
        ++reads;
        return device;
    }
    bool write(std::uint32_t word) override
    {
        const std::lock_guard lock(m_mutex);
        written << word;
        if (!device)
            return false;
        device = word;
        return true;
    }

    std::optional<std::uint32_t> device;
    QList<std::uint32_t> written;
    std::atomic<int> reads = 0;

private:
    std::mutex m_mutex;
};
