// Any bytes may stand in help.ini, and the user may type anything as a type, a name and a definition.
// Input: the file, then the typed type, name and definition, each after a 0xFF byte (which UTF-8 never holds).
// Reading every type, name and definition of the file must not fail; a typed type or name stored as a section
// or key name decodes to the text typed (a definition's quotes are the file's to take off, so it is checked
// through the file); an entry stored into the file reads back exactly (line breaks as the
// definition field gives them), and the entries the file held before keep their definitions.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "platform/platform.h"
#include "tools/helpstore.h"

namespace {

struct Entry
{
    QString type;
    QString name;
    QString definition;
};

QList<Entry> allEntries(platform::Platform& platform)
{
    QList<Entry> entries;
    for (const QString& type : HelpStore::types(platform))
        for (const QString& name : HelpStore::names(platform, type))
            entries.append({type, name, HelpStore::definition(platform, type, name)});
    return entries;
}

// The definition as the field shows it after reading it back.
QString asShown(QString definition)
{
    definition.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    definition.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    definition.replace(QChar(0x2029), QLatin1Char('\n'));
    return definition;
}

bool sameEntry(const QString& type, const QString& name, const Entry& entry)
{
    return HelpStore::encodeType(type).compare(HelpStore::encodeType(entry.type), Qt::CaseInsensitive) == 0 &&
           HelpStore::encodeName(name).compare(HelpStore::encodeName(entry.name), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\xFF');
    const QString type = parts.size() > 1 ? QString::fromUtf8(parts[1]) : QString();
    const QString name = parts.size() > 2 ? QString::fromUtf8(parts[2]) : QString();
    const QString definition = parts.size() > 3 ? QString::fromUtf8(parts[3]) : QString();

    if (HelpStore::decodeName(HelpStore::encodeType(type)) != type ||
        HelpStore::decodeName(HelpStore::encodeName(name)) != name)
        std::abort();

    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
    {
        QFile file(QDir(folder.path()).filePath(HelpStore::FileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(parts[0]) != parts[0].size())
            std::abort();
    }
    platform::Context context;
    context.configDir = folder.path().toStdString();
    context.notifyUser = [](const std::string&) {};
    platform::Platform platform(context);

    const QList<Entry> before = allEntries(platform);
    HelpStore::store(platform, type, name, definition);
    if (HelpStore::definition(platform, type, name) != asShown(definition))
        std::abort();
    if (!HelpStore::types(platform).contains(type, Qt::CaseInsensitive))
        std::abort();
    for (const Entry& entry : before) {
        if (!sameEntry(type, name, entry) &&
            HelpStore::definition(platform, entry.type, entry.name) != entry.definition)
            std::abort();
    }
    return 0;
}
