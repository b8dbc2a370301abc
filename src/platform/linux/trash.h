#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/recyclebin.h"

namespace platform::detail {

/// The user's Trash folders: the home trash ("Trash" under the data home) when it exists, then on each volume
/// root the ".Trash/<uid>" folder (below a sticky ".Trash") and the ".Trash-<uid>" folder, where they are real
/// folders of the user's own.
std::vector<std::string> trashFolders(const std::string& dataHome, const std::vector<std::string>& volumeRoots,
                                      unsigned uid);

/// Removes every trashed item (its entry in "files" and its ".trashinfo" in "info") and the size cache of each
/// folder. An item that cannot be removed keeps its ".trashinfo", so it stays listed; false then.
bool emptyTrashFolders(const std::vector<std::string>& folders);

/// The recycle bin over the trash of this data home and these volume roots, for the current user.
std::shared_ptr<RecycleBin> freedesktopTrash(std::string dataHome, std::vector<std::string> volumeRoots);

} // namespace platform::detail
