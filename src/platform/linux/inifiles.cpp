#include "platform/inifiles.h"

#include "platform/linux/filestore.h"
#include "platform/linux/inidocument.h"

#include <QFile>

#include <functional>

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
    // A missing or unreadable file reads as empty, as GetPrivateProfileString sees it.
    IniDocument load(const std::string& file)
    {
        const detail::FileContents contents = detail::readWholeFile(pathOf(file));
        return IniDocument::parse(contents.status == detail::FileContents::Status::Read ? contents.bytes : "");
    }

    // Re-reads the file under the lock before changing it, so that another running copy's writes are kept.
    // `change` returns false when it had nothing to change; then the file is left untouched.
    bool modify(const std::string& file, const std::function<bool(IniDocument&)>& change)
    {
        const std::string path = pathOf(file);
        detail::FileLock lock(path);
        if (!lock.locked())
            return false;
        const detail::FileContents contents = detail::readWholeFile(path);
        if (contents.status == detail::FileContents::Status::Failed)
            return false;
        IniDocument document = IniDocument::parse(contents.bytes);
        if (!change(document))
            return true;
        return detail::writeFileAtomically(path, document.format());
    }

    Context m_context;
};

} // namespace

std::shared_ptr<IniFiles> IniFiles::create(const Context& context)
{
    return std::make_shared<FileIniFiles>(context);
}

} // namespace platform
