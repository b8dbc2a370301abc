#include "storedwrites.h"

#include "common/tinifile.h"
#include "common/tregistry.h"
#include "tools/helpstore.h"

namespace StoredWrites {

namespace {

const QString RegistryKey = QStringLiteral("Software\\Тромбус\\Сбой");
const QString IniFile = QStringLiteral("start.ini");
const QString Section = QStringLiteral("Сбой");

// Long enough that a file takes several pages, so that a kill can land in the middle of writing one.
QString valueText(Store store, long long n)
{
    const QString padding = QString(48, QChar(u'ж'));
    if (store == Store::Help)
        return QString::number(n) + QStringLiteral(" — определение\nвторая строка ") + padding;
    return QString::number(n) + QStringLiteral(" — запись ") + padding;
}

std::optional<long long> numberIn(Store store, const QString& text)
{
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    bool ok = false;
    const long long n = space > 0 ? text.left(space).toLongLong(&ok) : 0;
    if (!ok || n < 0 || text != valueText(store, n))
        return -1;
    return n;
}

} // namespace

Target targetOf(long long n)
{
    return {Store(n % StoreCount), int((n / StoreCount) % KeyCount)};
}

const char* storeName(Store store)
{
    switch (store) {
    case Store::Registry:
        return "registry";
    case Store::Ini:
        return "ini";
    case Store::Help:
        return "help";
    }
    return "?";
}

QString fileOf(Store store)
{
    switch (store) {
    case Store::Registry:
        return QStringLiteral("registry.reg");
    case Store::Ini:
        return IniFile;
    case Store::Help:
        return HelpStore::FileName;
    }
    return {};
}

QString keyName(Store store, int key, const QString& lane)
{
    switch (store) {
    case Store::Registry:
        return lane + QStringLiteral("v%1").arg(key);
    case Store::Ini:
        return lane + QStringLiteral("k%1").arg(key);
    case Store::Help:
        return lane + QStringLiteral("имя %1").arg(key);
    }
    return {};
}

void write(platform::Platform& platform, long long n, const QString& lane)
{
    const Target target = targetOf(n);
    const QString name = keyName(target.store, target.key, lane);
    const QString value = valueText(target.store, n);
    switch (target.store) {
    case Store::Registry: {
        TRegistry registry(platform);
        registry.setRootKey(platform::Hive::CurrentUser);
        registry.OpenKey(RegistryKey, true);
        registry.WriteString(name, value);
        return;
    }
    case Store::Ini:
        TIniFile(platform, IniFile).WriteString(Section, name, value);
        return;
    case Store::Help:
        HelpStore::store(platform, Section, name, value);
        return;
    }
}

std::optional<long long> storedNumber(platform::Platform& platform, Target target, const QString& lane)
{
    const QString name = keyName(target.store, target.key, lane);
    if (!storedKeys(platform, target.store).contains(name))
        return std::nullopt;
    switch (target.store) {
    case Store::Registry: {
        TRegistry registry(platform);
        registry.setRootKey(platform::Hive::CurrentUser);
        registry.OpenKey(RegistryKey, false);
        return numberIn(target.store, registry.ReadString(name));
    }
    case Store::Ini:
        return numberIn(target.store, TIniFile(platform, IniFile).ReadString(Section, name, QString()));
    case Store::Help:
        return numberIn(target.store, HelpStore::definition(platform, Section, name));
    }
    return std::nullopt;
}

QStringList storedKeys(platform::Platform& platform, Store store)
{
    switch (store) {
    case Store::Registry: {
        TRegistry registry(platform);
        registry.setRootKey(platform::Hive::CurrentUser);
        return registry.OpenKey(RegistryKey, false) ? registry.GetValueNames() : QStringList();
    }
    case Store::Ini:
        return TIniFile(platform, IniFile).ReadSection(Section);
    case Store::Help:
        return HelpStore::names(platform, Section);
    }
    return {};
}

} // namespace StoredWrites
