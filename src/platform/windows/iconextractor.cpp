#include "platform/iconextractor.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "platform/windows/wide.h"

namespace platform {
namespace {

// The icon's colour and mask bitmaps read back as 32-bit rows; an icon without alpha takes its transparency
// from the mask.
std::optional<IconPicture> pictureOf(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return std::nullopt;
    std::optional<IconPicture> result;
    BITMAP colour = {};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof colour, &colour)) {
        IconPicture picture;
        picture.width = colour.bmWidth;
        picture.height = colour.bmHeight;
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = picture.width;
        format.bmiHeader.biHeight = -picture.height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        const std::size_t count = std::size_t(picture.width) * std::size_t(picture.height);
        picture.pixels.assign(count, 0);
        std::vector<std::uint32_t> mask(count, 0);
        HDC screen = GetDC(nullptr);
        const bool read = GetDIBits(screen, info.hbmColor, 0, UINT(picture.height), picture.pixels.data(), &format,
                                    DIB_RGB_COLORS) != 0;
        const bool maskRead = info.hbmMask && GetDIBits(screen, info.hbmMask, 0, UINT(picture.height), mask.data(),
                                                        &format, DIB_RGB_COLORS) != 0;
        ReleaseDC(nullptr, screen);
        if (read) {
            bool hasAlpha = false;
            for (std::uint32_t pixel : picture.pixels)
                hasAlpha = hasAlpha || (pixel >> 24) != 0;
            if (!hasAlpha) {
                for (std::size_t i = 0; i < count; ++i) {
                    const bool transparent = maskRead && (mask[i] & 0x00FFFFFF) != 0;
                    picture.pixels[i] = transparent ? 0 : (picture.pixels[i] | 0xFF000000u);
                }
            }
            result = std::move(picture);
        }
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return result;
}

class WindowsIconExtractor final : public IconExtractor
{
public:
    std::optional<IconPicture> extract(const std::string& fileName, int index) override
    {
        // Environment variables and quotes in the name are not resolved, as the shell's own call leaves them.
        const std::wstring file = detail::widen(fileName);
        HICON icon = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), UINT(index));
        // 1 means the file is no program, library or icon file.
        if (!icon || icon == reinterpret_cast<HICON>(1))
            return std::nullopt;
        std::optional<IconPicture> picture = pictureOf(icon);
        DestroyIcon(icon);
        return picture;
    }
};

} // namespace

std::shared_ptr<IconExtractor> IconExtractor::create(const Context&)
{
    return std::make_shared<WindowsIconExtractor>();
}

} // namespace platform
