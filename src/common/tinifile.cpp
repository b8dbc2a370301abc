#include "common/tinifile.h"

#include "common/errors.h"
#include "common/stringlists.h"

TIniFile::TIniFile(platform::Platform& platform, const QString& fileName)
    : m_ini(platform.get<platform::IniFiles>()), m_file(fileName)
{}

QStringList TIniFile::ReadSections() const
{
    return toQStringList(m_ini.sections(m_file.toStdString()));
}

QStringList TIniFile::ReadSection(const QString& section) const
{
    return toQStringList(m_ini.keys(m_file.toStdString(), section.toStdString()));
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    return QString::fromStdString(
        m_ini.read(m_file.toStdString(), section.toStdString(), key.toStdString(), fallback.toStdString()));
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!m_ini.write(m_file.toStdString(), section.toStdString(), key.toStdString(), value.toStdString()))
        throw FileError(QStringLiteral("Unable to write to %1").arg(m_file));
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    if (!m_ini.eraseKey(m_file.toStdString(), section.toStdString(), key.toStdString()))
        throw FileError(QStringLiteral("Unable to write to %1").arg(m_file));
}

void TIniFile::EraseSection(const QString& section)
{
    if (!m_ini.eraseSection(m_file.toStdString(), section.toStdString()))
        throw FileError(QStringLiteral("Unable to write to %1").arg(m_file));
}

bool TIniFile::removeFile()
{
    return m_ini.removeFile(m_file.toStdString());
}

QString TIniFile::fullPath() const
{
    return QString::fromStdString(m_ini.pathOf(m_file.toStdString()));
}
