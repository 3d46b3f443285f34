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

// The Czech name of a display's colour depth, from its colour planes and bits
// per pixel: "16 barev", "256 barev", "16 bitů", "24 bitů", "32 bitů" or "není".
std::string ColorDepthName(int planes, int bitsPerPixel);

} // namespace tornavel
