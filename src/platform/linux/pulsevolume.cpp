#include "platform/linux/pulsevolume.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// How long one request may take before the sound server counts as missing.
constexpr auto RequestTimeout = std::chrono::milliseconds(1500);

// A channel's 0..0xFFFF level maps linearly onto muted..100 % of the sink's volume.
pa_volume_t sinkVolumeOf(std::uint16_t level)
{
    return static_cast<pa_volume_t>((static_cast<std::uint64_t>(level) * PA_VOLUME_NORM + 0x7FFF) / 0xFFFF);
}

std::uint16_t levelOf(pa_volume_t volume)
{
    if (volume >= PA_VOLUME_NORM)
        return 0xFFFF;
    return static_cast<std::uint16_t>((static_cast<std::uint64_t>(volume) * 0xFFFF + PA_VOLUME_NORM / 2) /
                                      PA_VOLUME_NORM);
}

bool isLeft(pa_channel_position_t position)
{
    switch (position) {
    case PA_CHANNEL_POSITION_FRONT_LEFT:
    case PA_CHANNEL_POSITION_REAR_LEFT:
    case PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_LEFT:
    case PA_CHANNEL_POSITION_TOP_FRONT_LEFT:
    case PA_CHANNEL_POSITION_TOP_REAR_LEFT:
        return true;
    default:
        return false;
    }
}

bool isRight(pa_channel_position_t position)
{
    switch (position) {
    case PA_CHANNEL_POSITION_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_REAR_RIGHT:
    case PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER:
    case PA_CHANNEL_POSITION_SIDE_RIGHT:
    case PA_CHANNEL_POSITION_TOP_FRONT_RIGHT:
    case PA_CHANNEL_POSITION_TOP_REAR_RIGHT:
        return true;
    default:
        return false;
    }
}

// One connection to the sound server for the life of the service, made on first use and again after the
// server went away. Every request waits for its answer on the calling thread, within RequestTimeout.
class PulseVolume final : public Volume
{
public:
    ~PulseVolume() override { disconnect(); }

    std::optional<std::uint32_t> read() override
    {
        Sink sink;
        if (!defaultSink(sink))
            return std::nullopt;
        std::uint16_t left = 0;
        std::uint16_t right = 0;
        bool anyLeft = false;
        bool anyRight = false;
        for (unsigned channel = 0; channel < sink.volume.channels; ++channel) {
            const std::uint16_t level = levelOf(sink.volume.values[channel]);
            const pa_channel_position_t position = sink.map.map[channel];
            if (isLeft(position)) {
                left = std::max(left, level);
                anyLeft = true;
            } else if (isRight(position)) {
                right = std::max(right, level);
                anyRight = true;
            }
        }
        // A mono sink (or one without sides) plays both channels of the word at its loudest channel's level.
        if (!anyLeft || !anyRight) {
            const std::uint16_t loudest = levelOf(pa_cvolume_max(&sink.volume));
            if (!anyLeft)
                left = loudest;
            if (!anyRight)
                right = loudest;
        }
        return static_cast<std::uint32_t>(left) | (static_cast<std::uint32_t>(right) << 16);
    }

    bool write(std::uint32_t word) override
    {
        Sink sink;
        if (!defaultSink(sink))
            return false;
        const pa_volume_t left = sinkVolumeOf(static_cast<std::uint16_t>(word & 0xFFFF));
        const pa_volume_t right = sinkVolumeOf(static_cast<std::uint16_t>(word >> 16));
        pa_cvolume volume = sink.volume;
        for (unsigned channel = 0; channel < volume.channels; ++channel) {
            const pa_channel_position_t position = sink.map.map[channel];
            if (isLeft(position))
                volume.values[channel] = left;
            else if (isRight(position))
                volume.values[channel] = right;
            else
                volume.values[channel] = std::max(left, right);
        }
        bool done = false;
        bool success = false;
        struct Result
        {
            bool* done;
            bool* success;
        } result{&done, &success};
        pa_operation* operation = pa_context_set_sink_volume_by_index(
            m_context, sink.index, &volume,
            [](pa_context*, int ok, void* data) {
                auto* answer = static_cast<Result*>(data);
                *answer->success = ok != 0;
                *answer->done = true;
            },
            &result);
        return finish(operation, done) && success;
    }

private:
    struct Sink
    {
        uint32_t index = PA_INVALID_INDEX;
        pa_cvolume volume{};
        pa_channel_map map{};
    };

    bool connect()
    {
        if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
            return true;
        disconnect();
        m_loop = pa_mainloop_new();
        if (!m_loop)
            return false;
        m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Тромбус");
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            disconnect();
            return false;
        }
        const bool ready = runUntil([this] {
            const pa_context_state_t state = pa_context_get_state(m_context);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
        if (!ready || pa_context_get_state(m_context) != PA_CONTEXT_READY) {
            disconnect();
            return false;
        }
        return true;
    }

    void disconnect()
    {
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        if (m_loop) {
            pa_mainloop_free(m_loop);
            m_loop = nullptr;
        }
    }

    // Runs the loop until `done` says so; false when the time ran out or the connection broke.
    template <class Done> bool runUntil(Done done)
    {
        const auto deadline = Clock::now() + RequestTimeout;
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            if (pa_mainloop_prepare(m_loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(m_loop) < 0 ||
                pa_mainloop_dispatch(m_loop) < 0)
                return false;
        }
        return true;
    }

    // Waits for an operation; a request left unanswered drops the connection, so the next one starts afresh.
    bool finish(pa_operation* operation, const bool& done)
    {
        if (!operation) {
            disconnect();
            return false;
        }
        const bool answered =
            runUntil([&] { return done || pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
        if (!answered)
            pa_operation_cancel(operation);
        pa_operation_unref(operation);
        if (!answered || !done)
            disconnect();
        return answered && done;
    }

    // A connection the server has dropped since the last request shows only when it is used: one more try
    // on a fresh connection then.
    bool defaultSink(Sink& sink)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const bool fresh = !(m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY);
            if (!connect())
                return false;
            if (lookUpDefaultSink(sink))
                return true;
            if (fresh)
                return false;
        }
        return false;
    }

    bool lookUpDefaultSink(Sink& sink)
    {
        struct Lookup
        {
            std::string name;
            bool named = false;
            bool found = false;
            Sink* sink;
        } lookup{{}, false, false, &sink};
        pa_operation* info = pa_context_get_server_info(
            m_context,
            [](pa_context*, const pa_server_info* server, void* data) {
                auto* answer = static_cast<Lookup*>(data);
                if (server && server->default_sink_name)
                    answer->name = server->default_sink_name;
                answer->named = true;
            },
            &lookup);
        if (!finish(info, lookup.named) || lookup.name.empty())
            return false;
        bool listed = false;
        struct SinkLookup
        {
            Lookup* lookup;
            bool* listed;
        } sinkLookup{&lookup, &listed};
        pa_operation* byName = pa_context_get_sink_info_by_name(
            m_context, lookup.name.c_str(),
            [](pa_context*, const pa_sink_info* info, int eol, void* data) {
                auto* answer = static_cast<SinkLookup*>(data);
                if (eol != 0) {
                    *answer->listed = true;
                    return;
                }
                if (!info)
                    return;
                answer->lookup->sink->index = info->index;
                answer->lookup->sink->volume = info->volume;
                answer->lookup->sink->map = info->channel_map;
                answer->lookup->found = true;
            },
            &sinkLookup);
        return finish(byName, listed) && lookup.found;
    }

    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
};

} // namespace

} // namespace platform

extern "C" __attribute__((visibility("default"))) platform::Volume* trombusMakeVolume()
{
    return new platform::PulseVolume();
}
