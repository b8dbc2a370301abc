#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Platform;
}

// The help dictionary's file "help.ini": one section per type, one key per name, the definition as value.
//
// An INI value is one line whose surrounding blanks and matching quotes do not count. A definition is
// stored so that it comes back exactly: its line breaks become PARAGRAPH SEPARATOR characters (U+2029,
// which no text typed into the definition field holds, since the field turns it into a line break
// itself), and a value that would lose its blanks or quotes is wrapped in double quotes. A value without
// U+2029 is read as it stands, so a one-line definition typed by hand into the file comes back as written.
//
// An INI key cannot have an empty name, and an empty section name is easily lost by hand editing, so an
// empty type or name is stored under the word EmptyName and listed under it.
namespace HelpStore {

inline const QString FileName = QStringLiteral("help.ini");
inline const QString EmptyName = QStringLiteral("(пусто)");

QString encodeDefinition(const QString& definition);
QString decodeDefinition(const QString& stored);
/// The section or key for a type or name as typed.
QString storedName(const QString& typed);

/// Throws FileError "Unable to write to help.ini" when the file cannot be written.
void store(platform::Platform& platform, const QString& type, const QString& name, const QString& definition);
QStringList types(platform::Platform& platform);
QStringList names(platform::Platform& platform, const QString& type);
/// The definition, or empty when there is none.
QString definition(platform::Platform& platform, const QString& type, const QString& name);
QString filePath(platform::Platform& platform);

} // namespace HelpStore
