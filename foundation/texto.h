// Conversion between the Windows-1252 bytes that the databases hold and the text that a
// person reads. The core keeps bytes; only the edges (windows, dialogs, logs, settings)
// convert, and always through these functions.
#pragma once

#include <QString>
#include <string>

namespace velmora {

// Windows-1252 bytes to text. Every byte has a character, so nothing is lost.
QString DeWindows1252(const std::string& bytes);

// Text to Windows-1252 bytes; a character without a Windows-1252 byte becomes '?'.
std::string AWindows1252(const QString& texto);

std::string Utf8DeWindows1252(const std::string& bytes);
std::string Windows1252DeUtf8(const std::string& utf8);

// The process's locale, from the environment, with UTF-8 characters where the environment
// names none (a scheduler's bare environment): the names of files, which the programs hand to
// the system and to the database client in UTF-8, are then read as such. Called first thing
// by the programs.
void LocaleUtf8();

}  // namespace velmora
