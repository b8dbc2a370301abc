#include "platform/cddoor.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform {
namespace {

// The media control interface's CD audio device is the first CD drive; "wait" returns once the tray has moved.
class MciCdDoor final : public CdDoor
{
public:
    bool open() override { return send("Set cdaudio door open wait"); }
    bool close() override { return send("Set cdaudio door closed wait"); }

private:
    static bool send(const char* command) { return mciSendStringA(command, nullptr, 0, nullptr) == 0; }
};

} // namespace

std::shared_ptr<CdDoor> CdDoor::create(const Context&)
{
    return std::make_shared<MciCdDoor>();
}

} // namespace platform
