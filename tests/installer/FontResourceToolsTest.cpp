#include "installer/FontResourceTools.h"

#include "installer/ScriptGenerator.h"
#include "platform/Errors.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::FakePrompts;
using test::TempDir;
using test::testFont;
using Kind = FakePrompts::Call::Kind;

unsigned readU16(const std::string& b, std::size_t at) {
    return (static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]);
}
void writeU16(std::string& b, std::size_t at, unsigned v) {
    b[at] = static_cast<char>(v >> 8);
    b[at + 1] = static_cast<char>(v & 0xFF);
}

// One record of a font's name table, by its position in the file.
struct NameRecord {
    std::size_t at; // offset of the record
    unsigned platform, encoding, language, nameId;
    std::size_t text; // offset of its string
    unsigned length;
};

std::vector<NameRecord> nameRecords(const std::string& font) {
    std::vector<NameRecord> out;
    const unsigned tables = readU16(font, 4);
    for (unsigned t = 0; t < tables; ++t) {
        const std::size_t entry = 12 + 16 * t;
        if (font.compare(entry, 4, "name") != 0) {
            continue;
        }
        const std::size_t table = (readU16(font, entry + 8) << 16) | readU16(font, entry + 10);
        const unsigned count = readU16(font, table + 2);
        const std::size_t storage = table + readU16(font, table + 4);
        for (unsigned r = 0; r < count; ++r) {
            const std::size_t at = table + 6 + 12 * r;
            out.push_back({at, readU16(font, at), readU16(font, at + 2), readU16(font, at + 4),
                           readU16(font, at + 6), storage + readU16(font, at + 10),
                           readU16(font, at + 8)});
        }
    }
    return out;
}

// A copy of DejaVu Sans whose full-name records are changed by edit, so that
// each choice between the records gives a different name: the Windows record
// reads "DejaVu Čans" (UTF-16), the Macintosh one "DejaVu Säns" (Mac Roman).
class FontName : public ::testing::Test {
protected:
    std::string patchedFont(const std::function<void(std::string&, const NameRecord&)>& edit) {
        std::string font = test::readFileBytes(testFont("DejaVuSans.ttf"));
        for (const auto& rec : nameRecords(font)) {
            if (rec.nameId != 4) {
                continue;
            }
            if (rec.platform == 3) {
                writeU16(font, rec.text + 2 * 7, 0x010C); // "S" -> "Č"
            } else if (rec.platform == 1) {
                font[rec.text + 8] = static_cast<char>(0x8A); // "a" -> "ä"
            }
            edit(font, rec);
        }
        return font;
    }
    std::string nameOf(const std::string& fontBytes) {
        return ReadFontName(dir_.writeFile("Font.TTF", fontBytes).string(), prompts_);
    }

    TempDir dir_;
    FakePrompts prompts_;
};

TEST_F(FontName, ReadsTheFullNameOfARealFont) {
    const auto copy = dir_.path() / "Font.TTF";
    std::filesystem::copy_file(testFont("DejaVuSans-Bold.ttf"), copy);
    EXPECT_EQ(ReadFontName(copy.string(), prompts_), "DejaVu Sans Bold");
    std::filesystem::copy_file(testFont("DejaVuSerif.ttf"), dir_.path() / "serif.ttf");
    EXPECT_EQ(ReadFontName((dir_.path() / "serif.ttf").string(), prompts_), "DejaVu Serif");
    EXPECT_TRUE(prompts_.calls.empty());
}

TEST_F(FontName, PrefersTheUsEnglishWindowsRecord) {
    EXPECT_EQ(nameOf(patchedFont([](std::string&, const NameRecord&) {})), "DejaVu Čans");
}

TEST_F(FontName, TakesAnotherWindowsLanguageBeforeTheMacintoshRecord) {
    EXPECT_EQ(nameOf(patchedFont([](std::string& f, const NameRecord& r) {
                  if (r.platform == 3) {
                      writeU16(f, r.at + 4, 0x0405); // Czech
                  }
              })),
              "DejaVu Čans");
}

// A name Windows-1250 cannot hold stops the script, naming the font's file.
TEST_F(FontName, NameOutsideWindows1250StopsTheScriptNamingTheFile) {
    dir_.writeFile("Písmo.ttf", patchedFont([](std::string& f, const NameRecord& r) {
                       if (r.platform == 3) {
                           writeU16(f, r.text + 2 * 7, 0x65E5); // "Č" -> "日"
                       }
                   }));
    ScriptWriter out;
    ProjectSettings project;
    try {
        WriteContentSections(out, project, dir_.folder(), prompts_, nullptr);
        FAIL() << "no refusal";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Písmo Písmo.ttf se ve Windows jmenuje „DejaVu 日ans“ a toto jméno "
                               "obsahuje znaky, které kódování Windows-1250 neumí zapsat, takže "
                               "ho skript instalace nemůže uvést.");
    }
}

TEST_F(FontName, FallsBackToTheMacRomanRecord) {
    EXPECT_EQ(nameOf(patchedFont([](std::string& f, const NameRecord& r) {
                  if (r.platform == 3) {
                      writeU16(f, r.at + 6, 5); // no longer the full name
                  }
              })),
              "DejaVu Säns");
}

TEST_F(FontName, FontWithoutFullNameGivesEmptyNameAndNoMessage) {
    EXPECT_EQ(
        nameOf(patchedFont([](std::string& f, const NameRecord& r) { writeU16(f, r.at + 6, 5); })),
        "");
    EXPECT_TRUE(prompts_.calls.empty());
}

TEST_F(FontName, FileThatIsNoFontGivesTheFotMessage) {
    EXPECT_EQ(nameOf("This is not a font, only text that ends in .TTF"), "");
    EXPECT_EQ(ReadFontName(dir_.folder() + "missing.TTF", prompts_), "");
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (std::vector<std::string>{"FOT-soubor nelze vytvořit", "FOT-soubor nelze vytvořit"}));
}

TEST_F(FontName, TruncatedFontGivesTheFotMessage) {
    const std::string font = test::readFileBytes(testFont("DejaVuSans.ttf"));
    EXPECT_EQ(nameOf(font.substr(0, 300)), "");
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (std::vector<std::string>{"FOT-soubor nelze vytvořit"}));
}

TEST_F(FontName, LeavesFilesBesideTheFontAlone) {
    dir_.writeFile("Font.fot", "the user's own file");
    std::filesystem::copy_file(testFont("DejaVuSans.ttf"), dir_.path() / "Font.TTF");
    EXPECT_EQ(ReadFontName((dir_.path() / "Font.TTF").string(), prompts_), "DejaVu Sans");
    EXPECT_EQ(test::readFileBytes(dir_.path() / "Font.fot"), "the user's own file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              2);
}

} // namespace
} // namespace tornavel
