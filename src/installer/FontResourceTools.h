#pragma once

#include <string>

namespace tornavel {

class Prompts;

// The name under which a TrueType font registers with Windows: the full font
// name (name ID 4) of the font's name table, read with FreeType: the Windows
// record in US English, else the first Windows record, else the Mac Roman
// record. A file that is not a TrueType font gives the message "FOT-soubor
// nelze vytvořit" through prompts and an empty name; a font without a full
// name gives an empty name and no message. fontPath is the full native path
// (nothing depends on the current folder). No file is created or deleted.
std::string ReadFontName(const std::string& fontPath, Prompts& prompts);

} // namespace tornavel
