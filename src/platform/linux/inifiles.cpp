#include "platform/inifiles.h"

#include "platform/linux/filestore.h"
#include "platform/linux/inidocument.h"

#include <QByteArrayView>
#include <QFile>

#include <functional>
#include <map>

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
        std::string bytes;
        IniDocument document;
    };

    // A missing or unreadable file reads as empty, as GetPrivateProfileString sees it.
    const IniDocument& load(const std::string& file)
    {
        const std::string path = pathOf(file);
        detail::FileContents contents = detail::readWholeFile(path);
        if (contents.status != detail::FileContents::Status::Read) {
            m_parsed.erase(path);
            return m_empty;
        }
        return parsed(path, std::move(contents.bytes));
    }

    // Every read goes to the file, since another running copy or the user's editor may have changed it, but
    // the parse of the bytes read last time is kept: a long dictionary is looked up at every key the user
    // types, and parsing it anew each time would make the window lag.
    const IniDocument& parsed(const std::string& path, std::string bytes)
    {
        const auto known = m_parsed.find(path);
        if (known != m_parsed.end() && known->second.bytes == bytes)
            return known->second.document;
        IniDocument document = IniDocument::parse(bytes);
        Parsed& slot = m_parsed[path];
        slot = {std::move(bytes), std::move(document)};
        return slot.document;
    }

    // The document of these bytes for changing: the kept parse itself when it is theirs, since it is replaced
    // by the changed one anyway.
    IniDocument take(const std::string& path, const std::string& bytes)
    {
        const auto known = m_parsed.find(path);
        if (known == m_parsed.end() || known->second.bytes != bytes)
            return IniDocument::parse(bytes);
        IniDocument document = std::move(known->second.document);
        m_parsed.erase(known);
        return document;
    }

    // After a write the file holds exactly the edited document, so the next read needs no parse; unless the
    // bytes are not UTF-8 (a name given in another encoding), which the next parse would read differently.
    void remember(const std::string& path, std::string bytes, IniDocument document)
    {
        if (QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8())
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
        detail::FileContents contents = detail::readWholeFile(path);
        if (contents.status == detail::FileContents::Status::Failed)
            return false;
        IniDocument document = take(path, contents.bytes);
        if (!change(document)) {
            if (contents.status == detail::FileContents::Status::Read)
                m_parsed[path] = {std::move(contents.bytes), std::move(document)};
            return true;
        }
        std::string bytes = document.format();
        if (!detail::writeFileAtomically(path, bytes)) {
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
