#include "platform/diskspace.h"

#include <windows.h>

#include <cctype>

namespace platform {
namespace {

DriveKind kindOf(UINT type)
{
    switch (type) {
    case DRIVE_FIXED:
        return DriveKind::Fixed;
    case DRIVE_REMOVABLE:
        return DriveKind::Removable;
    case DRIVE_CDROM:
        return DriveKind::Optical;
    case DRIVE_REMOTE:
        return DriveKind::Network;
    case DRIVE_RAMDISK:
        return DriveKind::Ram;
    default:
        return DriveKind::Unknown;
    }
}

std::string narrowToUtf8(const char* ansi)
{
    const int wideSize = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    if (wideSize <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), wideSize);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

class WindowsDiskSpace final : public DiskSpace
{
public:
    std::vector<Drive> drives() override
    {
        std::vector<Drive> result;
        const DWORD mask = GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            if (!(mask & (DWORD(1) << i)))
                continue;
            const char letter = static_cast<char>('A' + i);
            Drive drive;
            drive.id = std::string(1, letter) + ":\\";
            const UINT type = GetDriveTypeA(drive.id.c_str());
            drive.kind = kindOf(type);
            drive.name = std::string(1, static_cast<char>(std::tolower(letter))) + ":";
            // Asking a removable drive without a medium for its label would wait or complain.
            if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) {
                char label[MAX_PATH + 1] = {};
                const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
                if (GetVolumeInformationA(drive.id.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                                          0) &&
                    label[0])
                    drive.name += " [" + narrowToUtf8(label) + "]";
                SetErrorMode(oldMode);
            }
            result.push_back(std::move(drive));
        }
        return result;
    }

    std::string driveOf(const std::string& path) override
    {
        if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
            return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + ":\\";
        return {};
    }

    DriveSize size(const std::string& id) override
    {
        ULARGE_INTEGER available{};
        ULARGE_INTEGER total{};
        const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        const BOOL ok = GetDiskFreeSpaceExA(id.c_str(), &available, &total, nullptr);
        SetErrorMode(oldMode);
        if (!ok)
            return {};
        return {static_cast<std::int64_t>(total.QuadPart), static_cast<std::int64_t>(available.QuadPart)};
    }
};

} // namespace

std::shared_ptr<DiskSpace> DiskSpace::create(const Context&)
{
    return std::make_shared<WindowsDiskSpace>();
}

} // namespace platform
