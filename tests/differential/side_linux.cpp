#include "side.h"

#include "text.h"

#include <fstream>
#include <stdexcept>

namespace differential {

namespace {

std::string hexOfUtf16(const std::string& utf8)
{
    // The export form of an expandable string: its UTF-16LE bytes with the closing zero, in hex pairs.
    const std::string bytes = toUtf16LeWithMark(utf8).substr(2) + std::string(2, '\0');
    const char* digits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        out += std::string(i ? "," : "") + digits[c >> 4] + digits[c & 15];
    }
    return out;
}

} // namespace

std::shared_ptr<platform::IniFiles> makeIniFiles(Implementation implementation, const std::string& configDir)
{
    if (implementation != Implementation::Service)
        throw std::invalid_argument("only the services run on this system");
    return platform::IniFiles::create({configDir, {}});
}

std::shared_ptr<platform::Registry> makeRegistry(Implementation implementation, const std::string& configDir)
{
    if (implementation != Implementation::Service)
        throw std::invalid_argument("only the services run on this system");
    return platform::Registry::create({configDir, {}});
}

std::string inOwnEncoding(std::string_view utf8)
{
    return std::string(utf8);
}

// Each case has a registry file of its own, so the same key serves them all.
std::string registryRoot(const std::string&)
{
    return "Software\\Trombus differential";
}

// Before the case's service exists there is no file yet: the value goes into a new one, as a Windows export
// of that key would hold it.
bool putNonString(const std::string& configDir, const std::string& keyPath, const std::string& name, NonString kind)
{
    const std::string path = configDir + "/registry.reg";
    std::ifstream existing(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(existing)), std::istreambuf_iterator<char>());
    if (text.empty())
        text = "Windows Registry Editor Version 5.00\n\n";
    text += "[HKEY_CURRENT_USER\\" + keyPath + "]\n\"" + name + "\"=";
    text += kind == NonString::Number ? "dword:0000002a" : "hex(2):" + hexOfUtf16("%TEMP%\\x");
    text += "\n\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out);
}

void removeRegistryRoots() {}

} // namespace differential
