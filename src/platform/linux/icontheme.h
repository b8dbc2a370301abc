#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::detail {

/// The file of the best icon for one of `names` (the first names preferred) at `size` pixels, looked up as the
/// freedesktop icon theme rules say: the theme, the themes it inherits, then hicolor, each searched for every
/// name before the next theme; then unthemed pictures in the base folders. Only files an image reader of this
/// program can read count (PNG and XPM; SVG where its reader is installed).
std::optional<std::string> findThemeIcon(const std::vector<std::string>& names, int size, const std::string& theme,
                                         const std::vector<std::string>& baseFolders);

/// The same in the desktop's current icon theme, or in the system's default one when the desktop names none
/// (a bare window manager), then in the common desktops' themes, over the usual base folders ($HOME/.icons, the
/// data folders' "icons", /usr/share/pixmaps).
std::optional<std::string> findDesktopIcon(const std::vector<std::string>& names, int size);

} // namespace platform::detail
