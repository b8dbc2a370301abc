#include "platform/systemmenu.h"

namespace platform {
namespace {

// X11 and Wayland window managers draw their own title-bar menus and let no program add to them, so the
// additions are skipped and no system command ever arrives.
class NoSystemMenu final : public SystemMenu
{
public:
    bool appendItem(std::uintptr_t, unsigned, const std::string&) override { return false; }
    unsigned systemCommand(std::uintptr_t, const std::string&, void*) override { return 0; }
};

} // namespace

std::shared_ptr<SystemMenu> SystemMenu::create(const Context&)
{
    return std::make_shared<NoSystemMenu>();
}

} // namespace platform
