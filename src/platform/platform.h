#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>

namespace platform {

/// What every service implementation may need to know about where the program keeps its files.
struct Context
{
    /// Folder of the program's own files: registry.reg, start.ini, help.ini (plays the Windows directory on Linux).
    std::string configDir;
    /// Told in plain words when a stored file could not be read and was moved aside.
    std::function<void(const std::string&)> notifyUser;
};

/// The operating-system services of the program. Each service is an abstract class with a static
/// `create(const Context&)` defined by the Linux or Windows source that CMake picks; a service is made
/// on first use, and tests may put a stand-in in its place with `replace`.
class Platform final
{
public:
    explicit Platform(Context context) : m_context(std::move(context)) {}
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    const Context& context() const { return m_context; }

    template <class Service> Service& get()
    {
        auto it = m_services.find(typeid(Service));
        if (it == m_services.end()) {
            std::shared_ptr<Service> made = Service::create(m_context);
            it = m_services.emplace(typeid(Service), std::move(made)).first;
        }
        return *static_cast<Service*>(it->second.get());
    }

    template <class Service> void replace(std::shared_ptr<Service> service)
    {
        m_services[typeid(Service)] = std::move(service);
    }

private:
    Context m_context;
    std::map<std::type_index, std::shared_ptr<void>> m_services;
};

/// The default folder of the program's own files: $XDG_CONFIG_HOME/trombus on Linux.
std::string defaultConfigDir();

} // namespace platform
