#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {
class Platform;
}

// The numbered writes of the crash tests: write n goes to one of the three stored files (the settings file,
// "start.ini" and the help dictionary's "help.ini") and to one of a few keys there, and its value starts with
// n, so what a file holds tells which write put it there. The writer program and the tests share this table.
namespace StoredWrites {

enum class Store
{
    Registry,
    Ini,
    Help
};

inline constexpr int StoreCount = 3;
inline constexpr int KeyCount = 8;

struct Target
{
    Store store;
    int key;
};

Target targetOf(long long n);
const char* storeName(Store store);
/// The file the store keeps, by name in the config folder.
QString fileOf(Store store);

// A lane is a set of keys of their own, named with the lane as prefix, so that copies writing at once in lanes of
// their own never write the same key.

/// Makes write n of the lane through the program's own accessors (TRegistry, TIniFile, the help dictionary's
/// store); throws the program's error when the write fails, as the callers in the program see it.
void write(platform::Platform& platform, long long n, const QString& lane = {});

/// The number of the lane's write the key holds now, read back with the program's readers; nothing when the
/// key is missing. A value that is not one the writer makes (a torn or mixed value) reads as -1.
std::optional<long long> storedNumber(platform::Platform& platform, Target target, const QString& lane = {});

/// The key names of the store's section or key, every lane's, in file order, as the readers list them.
QStringList storedKeys(platform::Platform& platform, Store store);
/// The key's name as the store lists it.
QString keyName(Store store, int key, const QString& lane = {});

} // namespace StoredWrites
