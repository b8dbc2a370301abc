#include "platform/cddoor.h"

#include "platform/linux/drivedoor.h"

namespace platform {

std::shared_ptr<CdDoor> CdDoor::create(const Context&)
{
    return std::make_shared<DriveDoor>("/dev");
}

} // namespace platform
