#include "installer/FontResourceTools.h"

#include "installer/Prompts.h"
#include "platform/Utf8.h"

#include <array>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

namespace tornavel {
namespace {

// Unicode code points of the Mac Roman bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kMacRomanHighHalf = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, //
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, //
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, //
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, //
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, //
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, //
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, //
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, //
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, //
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, //
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, //
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, //
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, //
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, //
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, //
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, //
};

// The Windows name records are UTF-16, big-endian.
std::string decodeUtf16Be(const FT_Byte* bytes, FT_UInt length) {
    return Utf16ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes), length), true);
}

std::string decodeMacRoman(const FT_Byte* bytes, FT_UInt length) {
    std::string out;
    for (FT_UInt i = 0; i < length; ++i) {
        const FT_Byte b = bytes[i];
        appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kMacRomanHighHalf[b - 0x80u]});
    }
    return out;
}

// Releases FreeType's objects on every way out.
class FontFace {
public:
    explicit FontFace(const std::string& path) {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
            face_ = nullptr;
        }
    }
    ~FontFace() {
        if (face_) {
            FT_Done_Face(face_);
        }
        if (library_) {
            FT_Done_FreeType(library_);
        }
    }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Only fonts with a TrueType name table (TrueType and OpenType) register
    // the way the installer expects.
    bool isTrueType() const { return face_ && FT_IS_SFNT(face_); }
    FT_Face get() const { return face_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

constexpr FT_UShort kFullFontNameId = TT_NAME_ID_FULL_NAME;
constexpr FT_UShort kUsEnglish = TT_MS_LANGID_ENGLISH_UNITED_STATES;

} // namespace

std::string ReadFontName(const std::string& fontPath, Prompts& prompts) {
    const FontFace font(fontPath);
    if (!font.isTrueType()) {
        prompts.message("FOT-soubor nelze vytvořit");
        return {};
    }

    // Windows registers the font under its full name from the Windows
    // records, preferring US English; fonts made for the Macintosh only have
    // the Mac Roman record.
    const FT_UInt count = FT_Get_Sfnt_Name_Count(font.get());
    bool haveWindows = false, haveMac = false;
    FT_SfntName windows{}, mac{};
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName rec{};
        if (FT_Get_Sfnt_Name(font.get(), i, &rec) != 0 || rec.name_id != kFullFontNameId) {
            continue;
        }
        if (rec.platform_id == TT_PLATFORM_MICROSOFT) {
            if (rec.language_id == kUsEnglish) {
                return decodeUtf16Be(rec.string, rec.string_len);
            }
            if (!haveWindows) {
                windows = rec;
                haveWindows = true;
            }
        } else if (rec.platform_id == TT_PLATFORM_MACINTOSH && rec.encoding_id == TT_MAC_ID_ROMAN &&
                   !haveMac) {
            mac = rec;
            haveMac = true;
        }
    }
    if (haveWindows) {
        return decodeUtf16Be(windows.string, windows.string_len);
    }
    if (haveMac) {
        return decodeMacRoman(mac.string, mac.string_len);
    }
    return {};
}

} // namespace tornavel
