#include "platform/registry.h"

#include "platform/linux/caseless.h"
#include "platform/linux/classesroot.h"
#include "platform/linux/filestore.h"
#include "platform/linux/livesystem.h"
#include "platform/linux/regfile.h"

#include <algorithm>
#include <functional>

namespace platform {

namespace {

using detail::RegDocument;
using detail::RegKey;
using detail::RegValue;

const char* hiveName(Hive hive)
{
    switch (hive) {
    case Hive::CurrentUser:
        return "HKEY_CURRENT_USER";
    case Hive::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case Hive::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    }
    return "HKEY_CURRENT_USER";
}

// Callers pass paths as TRegistry takes them; a leading backslash or doubled separators mean nothing more.
std::vector<std::string> fullPath(Hive hive, const std::string& path)
{
    std::vector<std::string> parts{hiveName(hive)};
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::vector<std::u16string> foldPath(const std::vector<std::string>& path)
{
    std::vector<std::u16string> folded;
    folded.reserve(path.size());
    for (const std::string& part : path)
        folded.push_back(detail::caselessKey(part));
    return folded;
}

// Whether `path` is `prefix` or lies below it.
bool startsWith(const std::vector<std::u16string>& path, const std::vector<std::u16string>& prefix)
{
    return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}

struct LiveValue
{
    Hive hive;
    const char* path;
    const char* name;
    std::function<std::optional<std::string>()> read;
};

// The few system keys the program reads, answered from the running system rather than the file.
const std::vector<LiveValue>& liveValues()
{
    static const std::vector<LiveValue> values{
        {Hive::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName",
         detail::hostName},
        {Hive::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
         detail::processorName},
        {Hive::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "Identifier",
         detail::processorIdentifier},
        {Hive::LocalMachine, "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters", "Hostname", detail::hostName},
    };
    return values;
}

// The path below the classes root of a key of the classes root, or of the local machine's "Software\Classes",
// which shows the same keys; the desktop's file types answer for them.
std::optional<std::vector<std::string>> classesPart(Hive hive, const std::string& path)
{
    std::vector<std::string> parts = fullPath(hive, path);
    parts.erase(parts.begin());
    if (hive == Hive::LocalMachine && parts.size() >= 2 && detail::equalsCaseless(parts[0], "Software") &&
        detail::equalsCaseless(parts[1], "Classes"))
        parts.erase(parts.begin(), parts.begin() + 2);
    else if (hive != Hive::ClassesRoot)
        return std::nullopt;
    return parts;
}

// The classes root itself is always there.
bool isLiveClassesKey(Hive hive, const std::string& path)
{
    const auto part = classesPart(hive, path);
    return part && (part->empty() || detail::classesKeyExists(*part));
}

std::optional<std::string> liveClassesDefault(Hive hive, const std::string& path, const std::string& name)
{
    if (!name.empty())
        return std::nullopt;
    const auto part = classesPart(hive, path);
    return part && !part->empty() ? detail::classesDefaultValue(*part) : std::nullopt;
}

bool hasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

class FileRegistry final : public Registry
{
public:
    explicit FileRegistry(Context context)
        : m_context(std::move(context)), m_path(m_context.configDir + "/registry.reg")
    {}

    bool keyExists(Hive hive, const std::string& path) override
    {
        const auto wanted = foldPath(fullPath(hive, path));
        if (wanted.size() == 1 || isLiveClassesKey(hive, path))
            return true;
        for (const LiveValue& live : liveValues()) {
            if (live.hive == hive && startsWith(foldPath(fullPath(hive, live.path)), wanted))
                return true;
        }
        loadForReading();
        return std::any_of(m_foldedKeys.begin(), m_foldedKeys.end(),
                           [&](const auto& key) { return startsWith(key, wanted); });
    }

    bool createKey(Hive hive, const std::string& path) override
    {
        if (hasLineBreak(path))
            return false;
        if (isLiveClassesKey(hive, path))
            return true;
        // The live system's keys are there already: opening them writes nothing into the file.
        const auto folded = foldPath(fullPath(hive, path));
        for (const LiveValue& live : liveValues()) {
            if (live.hive == hive && startsWith(foldPath(fullPath(hive, live.path)), folded))
                return true;
        }
        // Nearly every opening is of a key that is already there: no lock and no rewrite for those.
        {
            loadForReading();
            const auto wanted = foldPath(fullPath(hive, path));
            bool present = true;
            for (std::size_t length = 2; present && length <= wanted.size(); ++length)
                present = std::any_of(m_foldedKeys.begin(), m_foldedKeys.end(),
                                      [&](const auto& key) { return key.size() == length && startsWith(wanted, key); });
            if (present)
                return true;
        }
        return modify([&](RegDocument& document) {
            const auto wanted = spelledAsStored(document, fullPath(hive, path));
            bool changed = false;
            // Every ancestor gets its own entry so that the key survives however its subkeys change.
            for (std::size_t length = 2; length <= wanted.size(); ++length) {
                const std::vector<std::string> prefix(wanted.begin(), wanted.begin() + std::ptrdiff_t(length));
                if (!findKey(document, prefix)) {
                    document.keys.push_back(RegKey{prefix, {}});
                    changed = true;
                }
            }
            return changed ? Change::Write : Change::None;
        });
    }

    std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name) override
    {
        if (const LiveValue* live = findLive(hive, path, name))
            return live->read();
        if (auto live = liveClassesDefault(hive, path, name))
            return live;
        const RegKey* key = findStoredKey(hive, path);
        const RegValue* value = key ? findValue(*key, name) : nullptr;
        if (!value)
            return std::nullopt;
        // A string with variables, as a Windows export holds it, reads as text there too.
        return value->isString ? std::optional(value->data) : detail::expandableText(*value);
    }

    bool writeString(Hive hive, const std::string& path, const std::string& name, const std::string& data) override
    {
        if (!keyExists(hive, path))
            return false;
        const auto wanted = fullPath(hive, path);
        return modify([&](RegDocument& document) {
            RegKey* key = findKey(document, wanted);
            if (!key) {
                // The key exists only as the parent of stored keys or as a live key: give it an entry.
                document.keys.push_back(RegKey{spelledAsStored(document, wanted), {}});
                key = &document.keys.back();
            }
            if (RegValue* value = findValue(*key, name)) {
                if (value->isString && value->data == data)
                    return Change::None;
                value->data = data;
                value->isString = true;
            } else {
                key->values.push_back(RegValue{name, data, true});
            }
            return Change::Write;
        });
    }

    bool deleteValue(Hive hive, const std::string& path, const std::string& name) override
    {
        const auto wanted = fullPath(hive, path);
        return modify([&](RegDocument& document) {
            RegKey* key = findKey(document, wanted);
            const RegValue* value = key ? findValue(*key, name) : nullptr;
            if (!value)
                return Change::Fail;
            key->values.erase(key->values.begin() + (value - key->values.data()));
            return Change::Write;
        });
    }

    bool valueExists(Hive hive, const std::string& path, const std::string& name) override
    {
        if (const LiveValue* live = findLive(hive, path, name); live && live->read())
            return true;
        if (liveClassesDefault(hive, path, name))
            return true;
        const RegKey* key = findStoredKey(hive, path);
        return key && findValue(*key, name);
    }

    std::vector<std::string> valueNames(Hive hive, const std::string& path) override
    {
        std::vector<std::string> names;
        std::vector<std::u16string> seen;
        if (const RegKey* key = findStoredKey(hive, path)) {
            for (const RegValue& value : key->values)
                detail::addUniqueCaseless(names, seen, value.name);
        }
        const auto wanted = foldPath(fullPath(hive, path));
        for (const LiveValue& live : liveValues()) {
            if (live.hive == hive && foldPath(fullPath(hive, live.path)) == wanted && live.read())
                detail::addUniqueCaseless(names, seen, live.name);
        }
        return names;
    }

    std::vector<std::string> subkeys(Hive hive, const std::string& path) override
    {
        std::vector<std::string> names;
        std::vector<std::u16string> seen;
        const auto wanted = foldPath(fullPath(hive, path));
        const auto collect = [&](const std::vector<std::string>& keyPath) {
            if (keyPath.size() > wanted.size() && startsWith(foldPath(keyPath), wanted))
                detail::addUniqueCaseless(names, seen, keyPath[wanted.size()]);
        };
        const RegDocument& document = loadForReading();
        for (std::size_t i = 0; i < document.keys.size(); ++i) {
            if (m_foldedKeys[i].size() > wanted.size() && startsWith(m_foldedKeys[i], wanted))
                detail::addUniqueCaseless(names, seen, document.keys[i].path[wanted.size()]);
        }
        for (const LiveValue& live : liveValues()) {
            if (live.hive == hive)
                collect(fullPath(hive, live.path));
        }
        // The registry lists subkeys by name without regard to case, whatever order they were made in.
        std::vector<std::size_t> order(names.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return seen[a] < seen[b]; });
        std::vector<std::string> sorted;
        sorted.reserve(names.size());
        for (std::size_t i : order)
            sorted.push_back(std::move(names[i]));
        return sorted;
    }

private:
    enum class Change
    {
        None,
        Write,
        Fail
    };

    // A key created under existing keys takes their spelling, as Windows keeps one name per key.
    static std::vector<std::string> spelledAsStored(const RegDocument& document, std::vector<std::string> path)
    {
        const auto folded = foldPath(path);
        for (const RegKey& key : document.keys) {
            const auto keyFolded = foldPath(key.path);
            std::size_t common = 0;
            while (common < folded.size() && common < keyFolded.size() && folded[common] == keyFolded[common])
                ++common;
            for (std::size_t i = 0; i < common; ++i)
                path[i] = key.path[i];
        }
        return path;
    }

    template <class Document>
    static auto findKey(Document& document, const std::vector<std::string>& path) -> decltype(&document.keys.front())
    {
        const auto wanted = foldPath(path);
        for (auto& key : document.keys) {
            if (foldPath(key.path) == wanted)
                return &key;
        }
        return nullptr;
    }

    template <class Key> static auto findValue(Key& key, const std::string& name) -> decltype(&key.values.front())
    {
        const std::u16string wanted = detail::caselessKey(name);
        for (auto& value : key.values) {
            if (detail::caselessKey(value.name) == wanted)
                return &value;
        }
        return nullptr;
    }

    const LiveValue* findLive(Hive hive, const std::string& path, const std::string& name) const
    {
        const auto wanted = foldPath(fullPath(hive, path));
        for (const LiveValue& live : liveValues()) {
            if (live.hive == hive && detail::equalsCaseless(live.name, name) &&
                foldPath(fullPath(hive, live.path)) == wanted)
                return &live;
        }
        return nullptr;
    }

    // The current document, or nothing when the file exists but cannot be read (then it must not be
    // replaced). A file that does not parse is moved aside, under the lock so that only one copy does it.
    std::optional<RegDocument> load(bool holdingLock)
    {
        const detail::FileContents contents = detail::readWholeFile(m_path);
        if (contents.status != detail::FileContents::Status::Read)
            forget();
        if (contents.status == detail::FileContents::Status::Missing)
            return RegDocument{};
        if (contents.status == detail::FileContents::Status::Failed)
            return std::nullopt;
        // Every read goes to the file, since another running copy may have changed it; the parse is skipped
        // when the bytes are the ones parsed last time.
        if (m_parsedBytes && *m_parsedBytes == contents.bytes)
            return m_parsedDocument;
        detail::RegParseResult parsed = detail::parseRegFile(contents.bytes);
        if (parsed.document) {
            remember(contents.bytes, *parsed.document);
            return std::move(*parsed.document);
        }
        if (!holdingLock) {
            detail::FileLock lock(m_path);
            if (!lock.locked())
                return std::nullopt;
            return load(true);
        }
        forget();
        const std::string aside = detail::moveAside(m_path);
        if (aside.empty())
            return std::nullopt;
        if (m_context.notifyUser) {
            m_context.notifyUser("Файл реестра программы \"" + m_path + "\" испорчен (строка " +
                                 std::to_string(parsed.errorLine) + ") и отложен как \"" + aside +
                                 "\". Настройки начаты заново.");
        }
        return RegDocument{};
    }

    // The document as the file holds it now, for reading, with `m_foldedKeys` matching it; both stay valid
    // until the next load.
    const RegDocument& loadForReading()
    {
        const detail::FileContents contents = detail::readWholeFile(m_path);
        if (contents.status != detail::FileContents::Status::Read) {
            forget();
            return m_parsedDocument;
        }
        if (!(m_parsedBytes && *m_parsedBytes == contents.bytes))
            load(false);
        if (!m_parsedBytes)
            forget();
        return m_parsedDocument;
    }

    // The stored key at the path, in the file as it is now.
    const RegKey* findStoredKey(Hive hive, const std::string& path)
    {
        const RegDocument& document = loadForReading();
        const auto wanted = foldPath(fullPath(hive, path));
        for (std::size_t i = 0; i < document.keys.size(); ++i) {
            if (m_foldedKeys[i] == wanted)
                return &document.keys[i];
        }
        return nullptr;
    }

    // Keeps the last parse with every key's path folded once, since every look-up compares against all keys.
    void remember(std::string bytes, RegDocument document)
    {
        m_parsedBytes = std::move(bytes);
        m_parsedDocument = std::move(document);
        m_foldedKeys.clear();
        for (const RegKey& key : m_parsedDocument.keys)
            m_foldedKeys.push_back(foldPath(key.path));
    }

    void forget()
    {
        m_parsedBytes.reset();
        m_parsedDocument = RegDocument{};
        m_foldedKeys.clear();
    }

    // Re-reads the file under the lock, applies the change and replaces the file, so that another running
    // copy's writes made since our last read are kept.
    bool modify(const std::function<Change(RegDocument&)>& change)
    {
        if (!detail::makeFolder(m_context.configDir))
            return false;
        detail::FileLock lock(m_path);
        if (!lock.locked())
            return false;
        std::optional<RegDocument> document = load(true);
        if (!document)
            return false;
        switch (change(*document)) {
        case Change::None:
            return true;
        case Change::Fail:
            return false;
        case Change::Write:
            break;
        }
        std::string bytes = detail::formatRegFile(*document);
        if (!detail::writeFileAtomically(m_path, bytes))
            return false;
        remember(std::move(bytes), std::move(*document));
        return true;
    }

    Context m_context;
    std::string m_path;
    std::optional<std::string> m_parsedBytes;
    RegDocument m_parsedDocument;
    std::vector<std::vector<std::u16string>> m_foldedKeys;
};

} // namespace

std::shared_ptr<Registry> Registry::create(const Context& context)
{
    return std::make_shared<FileRegistry>(context);
}

} // namespace platform
