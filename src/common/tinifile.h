#pragma once

#include <QString>
#include <QStringList>

#include "platform/inifiles.h"

// An INI file addressed by bare name, opened, used and dropped within one handler.
class TIniFile final
{
public:
    TIniFile(platform::Platform& platform, const QString& fileName);

    QStringList ReadSections() const;
    QStringList ReadSection(const QString& section) const;
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    /// Throws FileError when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);
    bool removeFile();
    QString fileName() const { return m_file; }
    QString fullPath() const;

private:
    platform::IniFiles& m_ini;
    QString m_file;
};
