#include "platform/inifiles.h"

#include "platform/linux/filestore.h"
#include "platform/linux/inidocument.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

using detail::IniDocument;

class FileIniFiles final : public IniFiles
{
public:
    explicit FileIniFiles(Context context) : m_context(std::move(context)) {}

    std::vector<std::string> sections(const std::string& file) override { return load(file).sections(); }

    std::vector<std::string> keys(const std::string& file, const std::string& section) override
    {
        return load(file).keys(section);
    }

    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback) override
    {
        return load(file).read(section, key).value_or(fallback);
    }

    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override
    {
        // Reporting success for a key that could never be read back would hide the loss, and every later
        // write would add the line again.
        if (!IniDocument::storable(section, key, value))
            return false;
        return modify(file, [&](IniDocument& document) {
            document.write(section, key, value);
            return true;
        });
    }

    bool eraseKey(const std::string& file, const std::string& section, const std::string& key) override
    {
        return modify(file, [&](IniDocument& document) { return document.eraseKey(section, key); });
    }

    bool eraseSection(const std::string& file, const std::string& section) override
    {
        return modify(file, [&](IniDocument& document) { return document.eraseSection(section); });
    }

    // A file that is already gone counts as removed: what the caller wants is that it no longer exists.
    bool removeFile(const std::string& file) override
    {
        const std::string path = pathOf(file);
        if (!QFile::exists(QString::fromStdString(path)))
            return true;
        detail::FileLock lock(path);
        if (!lock.locked())
            return false;
        return QFile::remove(QString::fromStdString(path)) || !QFile::exists(QString::fromStdString(path));
    }

    // A bare name lives in the config folder, which plays the Windows directory; a full path is taken as it is.
    std::string pathOf(const std::string& file) override
    {
        if (file.starts_with('/'))
            return file;
        return m_context.configDir + "/" + file;
    }

private:
    struct Parsed
    {
        std::shared_ptr<const std::string> bytes;
        IniDocument document;
    };

    struct Reading
    {
        using Status = detail::FileContents::Status;
        Status status = Status::Missing;
        // Empty when the bytes are those parsed last time.
        std::string bytes;
        bool unchanged = false;
        // How many bytes from the start are those parsed last time.
        std::size_t same = 0;

        static Reading without(Status status)
        {
            Reading reading;
            reading.status = status;
            return reading;
        }
    };

    // A missing or unreadable file reads as empty, as GetPrivateProfileString sees it.
    const IniDocument& load(const std::string& file)
    {
        const std::string path = pathOf(file);
        Reading reading = readFile(path);
        if (reading.status != Reading::Status::Read) {
            m_parsed.erase(path);
            return m_empty;
        }
        return parsed(path, std::move(reading));
    }

    // Every read goes to the file, since another running copy or the user's editor may have changed it, but a
    // long dictionary is looked up at every key the user types: the bytes are compared with those parsed last
    // time piece by piece as they come, so an unchanged file is neither copied whole nor parsed again.
    Reading readFile(const std::string& path) const
    {
        const auto known = m_parsed.find(path);
        const std::string* last = known == m_parsed.end() ? nullptr : known->second.bytes.get();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return Reading::without(errno == ENOENT || errno == ENOTDIR ? Reading::Status::Missing
                                                                        : Reading::Status::Failed);
        Reading reading = Reading::without(Reading::Status::Read);
        struct stat info = {};
        if (::fstat(fd, &info) == 0 && !last)
            reading.bytes.reserve(std::size_t(info.st_size));
        bool same = last != nullptr;
        std::size_t matched = 0;
        std::string chunk(std::size_t(1) << 16, '\0');
        for (;;) {
            const ssize_t count = ::read(fd, chunk.data(), chunk.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                ::close(fd);
                return Reading::without(Reading::Status::Failed);
            }
            if (count == 0)
                break;
            const std::string_view piece(chunk.data(), std::size_t(count));
            if (same && matched + piece.size() <= last->size() &&
                std::string_view(*last).substr(matched, piece.size()) == piece) {
                matched += piece.size();
                continue;
            }
            if (same) {
                same = false;
                const std::string_view rest = std::string_view(*last).substr(matched);
                reading.same =
                    matched + std::size_t(std::mismatch(piece.begin(), piece.end(), rest.begin(), rest.end()).first -
                                          piece.begin());
                reading.bytes.reserve(std::max<std::size_t>(std::size_t(info.st_size), matched + piece.size()));
                reading.bytes.assign(*last, 0, matched);
            }
            reading.bytes += piece;
        }
        ::close(fd);
        if (same && matched == last->size()) {
            reading.unchanged = true;
        } else if (same) {
            reading.bytes.assign(*last, 0, matched);
            reading.same = matched;
        }
        return reading;
    }

    // The document of bytes read anew: the one parsed last time brought up to date from the first changed
    // byte on where it can be, else parsed whole.
    IniDocument reparse(const std::string& path, std::shared_ptr<const std::string> bytes, std::size_t same)
    {
        const auto known = m_parsed.find(path);
        if (known != m_parsed.end() && same > 0 && known->second.document.holds(known->second.bytes)) {
            IniDocument document = std::move(known->second.document);
            m_parsed.erase(known);
            if (document.update(bytes, same))
                return document;
        }
        return IniDocument::parse(std::move(bytes));
    }

    const IniDocument& parsed(const std::string& path, Reading reading)
    {
        if (reading.unchanged)
            return m_parsed.at(path).document;
        auto bytes = std::make_shared<const std::string>(std::move(reading.bytes));
        IniDocument document = reparse(path, bytes, reading.same);
        Parsed& slot = m_parsed[path];
        slot = {std::move(bytes), std::move(document)};
        return slot.document;
    }

    // The file as read, parsed, for changing: the kept parse itself when the file is unchanged, since it is
    // replaced by the changed one anyway. A missing file is an empty document of no bytes.
    Parsed take(const std::string& path, Reading reading)
    {
        if (reading.status != Reading::Status::Read)
            return {nullptr, IniDocument()};
        if (reading.unchanged)
            return std::move(m_parsed.extract(path).mapped());
        auto bytes = std::make_shared<const std::string>(std::move(reading.bytes));
        IniDocument document = reparse(path, bytes, reading.same);
        return {std::move(bytes), std::move(document)};
    }

    // After a write the file holds exactly the edited document, so the next read needs no parse; unless the
    // bytes are not UTF-8 (a name given in another encoding), which the next parse would read differently.
    void remember(const std::string& path, std::shared_ptr<const std::string> bytes, IniDocument document)
    {
        if (document.isUtf8Text())
            m_parsed[path] = {std::move(bytes), std::move(document)};
        else
            m_parsed.erase(path);
    }

    // Re-reads the file under the lock before changing it, so that another running copy's writes are kept.
    // `change` returns false when it had nothing to change; then the file is left untouched.
    bool modify(const std::string& file, const std::function<bool(IniDocument&)>& change)
    {
        const std::string path = pathOf(file);
        detail::FileLock lock(path);
        if (!lock.locked())
            return false;
        Reading reading = readFile(path);
        if (reading.status == Reading::Status::Failed)
            return false;
        Parsed current = take(path, std::move(reading));
        IniDocument& document = current.document;
        if (!change(document)) {
            if (current.bytes)
                m_parsed[path] = std::move(current);
            return true;
        }
        std::shared_ptr<const std::string> bytes = document.formatted();
        if (!detail::writeFileAtomically(path, *bytes)) {
            m_parsed.erase(path);
            return false;
        }
        remember(path, std::move(bytes), std::move(document));
        return true;
    }

    Context m_context;
    const IniDocument m_empty;
    std::map<std::string, Parsed> m_parsed;
};

} // namespace

std::shared_ptr<IniFiles> IniFiles::create(const Context& context)
{
    return std::make_shared<FileIniFiles>(context);
}

} // namespace platform
