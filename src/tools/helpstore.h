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
// Types and names are stored as typed, except for the few characters that would make the line read back
// as something else: "=" in a name (it would end the name), "]" in a type (it would end the section
// header), "[" or ";" opening a name (a section header, a comment), blanks and tabs at either end (the
// file does not keep them), line breaks and NUL. Those are written as "%" and two hex digits, the way
// addresses escape characters, and a "%" that is followed by such a code is written "%25", so that the
// code reads back as the text typed. An empty type or name, which a line cannot hold, is written `""`
// (and a name that is two double quotes as "%22%22"). A name without these characters stands in the file
// exactly as typed, so names written by earlier versions or by hand read back as they look, unless they
// hold "%" followed by one of these codes.
namespace HelpStore {

inline const QString FileName = QStringLiteral("help.ini");

QString encodeDefinition(const QString& definition);
QString decodeDefinition(const QString& stored);
/// The section name for a type as typed.
QString encodeType(const QString& typed);
/// The key name for a name as typed.
QString encodeName(const QString& typed);
/// A type or name as typed, from its section or key name in the file.
QString decodeName(const QString& stored);

/// Throws FileError "Unable to write to help.ini" when the file cannot be written.
void store(platform::Platform& platform, const QString& type, const QString& name, const QString& definition);
/// The types in file order, as typed; an empty one stands for the entries stored without a type.
QStringList types(platform::Platform& platform);
/// The names of a type in file order, as typed.
QStringList names(platform::Platform& platform, const QString& type);
/// The definition, or empty when there is none.
QString definition(platform::Platform& platform, const QString& type, const QString& name);
QString filePath(platform::Platform& platform);

} // namespace HelpStore
