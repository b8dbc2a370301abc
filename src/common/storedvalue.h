#pragma once

#include <QString>
#include <functional>
#include <optional>

// One value of the settings key as the feature that owns it declares it. Where the value stands in the key's
// orders (first run, restore, close) is the settings store's business, not its owner's.
struct StoredValue
{
    const char* name;
    /// Applies the stored text at activation; a text that is not the number it should be throws, which ends
    /// the restore at this value. Empty for a value that activation does not restore.
    std::function<void(const QString& text)> apply = {};
    /// The text to store now; nothing leaves the stored value as it is. Empty for a value only the first
    /// run writes.
    std::function<std::optional<QString>()> text = {};
    /// What the first run writes where that is not the text to store (nullptr: the text to store).
    const char* firstRunText = nullptr;
};
