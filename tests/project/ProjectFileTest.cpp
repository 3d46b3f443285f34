#include "project/ProjectFile.h"

#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "platform/ProfileFile.h"
#include "support/FieldValues.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tornavel {
namespace {

using test::readFileBytes;
using test::TempDir;

class ProjectFileTest : public ::testing::Test {
protected:
    std::string path(std::string_view name = "p.ipr") const {
        return (dir_.path() / name).string();
    }
    TempDir dir_;
};

TEST_F(ProjectFileTest, SavedProjectReopensWithEveryField) {
    const ProjectSettings saved = test::everyFieldChanged();
    SaveProject(saved, path(), SaveOrder::SaveAs);
    ProjectSettings loaded;
    ChangeLog log;
    LoadProject(path(), loaded, &log);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(static_cast<int>(log.size()), kFieldCount);
}

std::vector<FieldId> textFields() {
    std::vector<FieldId> fields;
    for (int f = 0; f < kFieldCount; ++f) {
        if (fieldKind(static_cast<FieldId>(f)) == FieldKind::Text) {
            fields.push_back(static_cast<FieldId>(f));
        }
    }
    return fields;
}

TEST_F(ProjectFileTest, EveryTextReopensExactlyAsSaved) {
    const std::string awkward[] = {
        "\"{app}\\čti mne.txt\"",
        "'jednoduché'",
        "\"jen na začátku",
        "jen na konci'",
        "uvnitř \"uvozovky\"",
        "\"",
        "''",
        "  vpředu",
        "vzadu  ",
        "\tTabulátor\t",
        " ",
        "",
        "Příliš žluťoučký kůň",
        std::string(kMaxProfileValueLength - 2, 'x') + "ěš",
    };
    ProjectSettings elsewhere;
    for (const FieldId f : textFields()) {
        setText(elsewhere, f, "jiná hodnota");
    }
    for (const std::string& value : awkward) {
        ProjectSettings saved;
        for (const FieldId f : textFields()) {
            setText(saved, f, value);
        }
        for (const SaveOrder order : {SaveOrder::SaveAs, SaveOrder::Save}) {
            SaveProject(saved, path(), order);
            ProjectSettings loaded = elsewhere;
            LoadProject(path(), loaded);
            EXPECT_EQ(loaded, saved) << '"' << value << '"';
        }
    }
}

TEST_F(ProjectFileTest, OrdinaryValuesAreWrittenAsTheyAre) {
    ProjectSettings s = test::everyFieldChanged();
    s.AppName = "Hra \"Had\" 2"; // quotes inside
    s.IniValue1 = "\"C:\\Hry";   // a quote at one end only
    s.IniValue2 = "'a\"";        // different quotes at the two ends
    s.Password = "heslo s mezerami";
    s.PreviewColor = 0xFFFFFFFF; // stored as -1
    SaveProject(s, path(), SaveOrder::SaveAs);
    const std::string bytes = readFileBytes(path());
    for (const auto& [key, value] : ProjectKeyValues(s)) {
        EXPECT_NE(bytes.find("\r\n" + toCp1250(key) + "=" + toCp1250(value) + "\r\n"),
                  std::string::npos)
            << key;
    }
    EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), 92u);
    EXPECT_NE(bytes.find("\r\nBarva nahledu=-1\r\n"), std::string::npos);
}

TEST_F(ProjectFileTest, PreviewColourWithTheTopBitSetReadsBack) {
    dir_.writeFile("p.ipr", toCp1250("[Ostatní]\r\nBarva nahledu=-1\r\n"));
    ProjectSettings loaded;
    LoadProject(path(), loaded);
    EXPECT_EQ(loaded.PreviewColor, 0xFFFFFFFFu);
    SaveProject(loaded, path(), SaveOrder::Save);
    ProjectSettings reloaded;
    LoadProject(path(), reloaded);
    EXPECT_EQ(reloaded.PreviewColor, 0xFFFFFFFFu);
}

TEST_F(ProjectFileTest, TextTooLongToReadBackIsRefusedNamingItsField) {
    SaveProject(ProjectSettings{}, path(), SaveOrder::SaveAs);
    const std::string before = readFileBytes(path());
    const std::pair<FieldId, std::string> cases[] = {
        {iconField(1, IconPart::Parameters), "„Parametr (ikona č.2)“"},
        {FieldId::IniValue1, "„Hodnota záznamu č.1“"},
        {FieldId::Font, "„Font“"}, // no control: its file key
    };
    for (const auto& [field, named] : cases) {
        ProjectSettings s;
        setText(s, field, std::string(kMaxProfileValueLength + 1, 'x'));
        try {
            SaveProject(s, path(), SaveOrder::Save);
            ADD_FAILURE() << named << " was saved";
        } catch (const ValueTooLongError& e) {
            EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << e.what();
            EXPECT_EQ(e.kind(), Error::Kind::ProjectRefused);
        }
    }
    EXPECT_EQ(readFileBytes(path()), before);
}

TEST_F(ProjectFileTest, SaveAsWritesSectionsInFileOrderAsWindows1250) {
    SaveProject(ProjectSettings{}, path(), SaveOrder::SaveAs);
    const std::string bytes = readFileBytes(path());
    const std::vector<std::string> sections = {"[Nastaven\xED]", "[Diskety]", "[Soubory]",
                                               "[Ostatn\xED]",   "[Ikony]",   "[INI]",
                                               "[Vyd\xE1n\xED]"};
    std::size_t last = 0;
    for (const auto& section : sections) {
        const auto at = bytes.find(section + "\r\n");
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_GE(at, last) << section;
        last = at;
    }
    EXPECT_EQ(bytes.rfind("[Nastaven\xED]\r\nAppName=M\xF9j program verze", 0), std::string::npos);
    EXPECT_EQ(bytes.rfind("[Nastaven\xED]\r\nAppName=M\xF9j program\r\n", 0), 0u);
    EXPECT_NE(bytes.find("Password=\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Barva nahledu=16711680\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Adresar=0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n[Vyd\xE1n\xED]\r\nAppVersion=\r\n"), std::string::npos);
    // 85 keys plus 7 section headers, each on its own CR LF line.
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 92u);
}

TEST_F(ProjectFileTest, SaveToANewFilePutsSouboryAfterOstatni) {
    SaveProject(ProjectSettings{}, path(), SaveOrder::Save);
    const std::string bytes = readFileBytes(path());
    EXPECT_LT(bytes.find("[Ostatn\xED]"), bytes.find("[Soubory]"));
    EXPECT_LT(bytes.find("[Soubory]"), bytes.find("[Ikony]"));
    EXPECT_LT(bytes.find("[INI]"), bytes.find("[Vyd\xE1n\xED]"));
}

TEST_F(ProjectFileTest, HotKeysOfAFreshProjectAreStoredAsMinusOne) {
    SaveProject(ProjectSettings{}, path(), SaveOrder::SaveAs);
    const std::string bytes = readFileBytes(path());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_NE(bytes.find("Ikona" + std::to_string(i) + "-6=-1\r\n"), std::string::npos) << i;
    }
}

TEST_F(ProjectFileTest, SaveAsOntoAForeignIniKeepsItsOtherContent) {
    const std::string foreign = "[Program]\r\nKey=Value\r\n[ostatní]\r\nWin=0\r\nForeign=kept\r\n";
    dir_.writeFile("p.ipr", toCp1250(foreign));
    SaveProject(ProjectSettings{}, path(), SaveOrder::SaveAs);
    const std::string bytes = readFileBytes(path());
    EXPECT_EQ(
        bytes.rfind(
            toCp1250("[Program]\r\nKey=Value\r\n[ostatní]\r\nWin=2\r\nForeign=kept\r\nWinNT=1\r\n"),
            0),
        0u);
    EXPECT_EQ(bytes.find("[Ostatn\xED]"), std::string::npos); // matched the existing section
}

TEST_F(ProjectFileTest, MissingAndUnreadableKeysLeaveFieldsAlone) {
    dir_.writeFile("p.ipr",
                   toCp1250("[Nastavení]\r\nAppName=Jen jméno\r\nInstallToProgramFiles=ano\r\n"
                            "[Ikony]\r\nIkona3-6=abc\r\nIkona1-6=$4F\r\n"));
    ProjectSettings s;
    s.Password = "původní";
    s.Icons[2].HotKey = 5;
    ChangeLog log;
    LoadProject(path(), s, &log);
    EXPECT_EQ(s.AppName, "Jen jméno");
    EXPECT_EQ(s.Password, "původní");
    EXPECT_TRUE(s.InstallToProgramFiles);
    EXPECT_EQ(s.Icons[2].HotKey, 5);
    EXPECT_EQ(s.Icons[0].HotKey, 0x4F);
    EXPECT_EQ(log, (ChangeLog{FieldId::AppName, iconField(0, IconPart::HotKey)}));
}

TEST_F(ProjectFileTest, ListPositionsAreLimitedAsTheyLoad) {
    dir_.writeFile("p.ipr", toCp1250("[Ostatní]\r\nWin=-7\r\nWinNT=9\r\nBarva podkladu=16\r\n"
                                     "Barva nahledu=255\r\n[INI]\r\nAdresar=5\r\n"
                                     "[Ikony]\r\nIkona2-6=103\r\nIkona4-6=-1\r\n"));
    ProjectSettings s;
    LoadProject(path(), s);
    EXPECT_EQ(s.Win, -1);
    EXPECT_EQ(s.WinNT, 4);
    EXPECT_EQ(s.BackgroundColor, -1);
    EXPECT_EQ(s.PreviewColor, 255u); // taken as stored, not from the colour list
    EXPECT_EQ(s.IniLocation, 2);
    EXPECT_EQ(s.Icons[1].HotKey, -1);
    EXPECT_EQ(s.Icons[3].HotKey, -1);
}

TEST_F(ProjectFileTest, BothVersionGroupsDisabledLoadsWinAsWindows98) {
    dir_.writeFile("p.ipr", toCp1250("[Ostatní]\r\nWin=4\r\nWinNT=4\r\n"));
    ProjectSettings s;
    ChangeLog log;
    LoadProject(path(), s, &log);
    EXPECT_EQ(s.Win, 1);
    EXPECT_EQ(s.WinNT, 4);
    EXPECT_EQ(log, (ChangeLog{FieldId::Win, FieldId::WinNT, FieldId::Win}));
}

// Whatever is not a project is refused with its name and changes nothing; a
// project another program saved as UTF-8 or UTF-16 reads as what it holds.
TEST_F(ProjectFileTest, OnlyProjectFilesOpen) {
    const std::string project = "[Nastavení]\r\nAppName=Žluťoučký\r\n[Ikony]\r\nIkona1-6=7\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char32_t c : std::u32string{U"[Nastavení]\r\nAppName=Žluťoučký\r\n"}) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"utf8.ipr", project}, {"bom.ipr", "\xEF\xBB\xBF" + project}, {"utf16.ipr", utf16}}) {
        dir_.writeFile(name, bytes);
        ProjectSettings s;
        LoadProject(path(name), s);
        EXPECT_EQ(s.AppName, "Žluťoučký") << name;
    }

    // Windows-1250 letters that happen to form UTF-8 stay what they are.
    dir_.writeFile("cp1250.ipr", "[Ikony]\r\nIkona1-1=" + toCp1250("ČŠ") + "\r\n");
    ProjectSettings cp1250;
    LoadProject(path("cp1250.ipr"), cp1250);
    EXPECT_EQ(cp1250.Icons[0].Name, "ČŠ");

    dir_.writeFile("text.txt", "just text\r\nno sections\r\n");
    dir_.writeFile("image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    dir_.writeFile("greek.ipr", "[Nastavení]\r\nAppName=∑\r\n");
    std::filesystem::create_directory(path("folder.ipr"));
    ASSERT_EQ(::mkfifo(path("fifo.ipr").c_str(), 0600), 0);
    std::filesystem::resize_file(dir_.writeFile("huge.ipr", project), kMaxProjectFileSize + 1);
    for (const auto& [name, reason] :
         std::vector<std::pair<std::string, std::string>>{{"text.txt", "nemá žádnou ze sekcí"},
                                                          {"image.png", "nemá žádnou ze sekcí"},
                                                          {"greek.ipr", "∑"},
                                                          {"folder.ipr", "Is a directory"},
                                                          {"fifo.ipr", "není to obyčejný soubor"},
                                                          {"huge.ipr", "je větší než 1 MiB"},
                                                          {"missing.ipr", "File not found"}}) {
        ProjectSettings s;
        s.AppName = "původní";
        ChangeLog log;
        try {
            LoadProject(path(name), s, &log);
            ADD_FAILURE() << name << " opened";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path(name)), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
        EXPECT_TRUE(log.empty()) << name;
        EXPECT_EQ(s.AppName, "původní") << name;
    }
}

TEST_F(ProjectFileTest, UnencodableTextIsRefusedBeforeWriting) {
    ProjectSettings s;
    s.IniValue2 = "∑";
    EXPECT_THROW(SaveProject(s, path(), SaveOrder::SaveAs), EncodingError);
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST(ProfileInteger, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(parseProfileInteger("42"), 42);
    EXPECT_EQ(parseProfileInteger("-1"), -1);
    EXPECT_EQ(parseProfileInteger("+7"), 7);
    EXPECT_EQ(parseProfileInteger("$FF"), 255);
    EXPECT_EQ(parseProfileInteger("0x10"), 16);
    EXPECT_EQ(parseProfileInteger("0X1f"), 31);
    EXPECT_EQ(parseProfileInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(parseProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseProfileInteger("-2147483648"), -2147483648LL);
    for (const char* bad : {"", "-", "$", "0x", "12a", "1 2", "2147483648", "$100000000", "abc"}) {
        EXPECT_EQ(parseProfileInteger(bad), std::nullopt) << bad;
    }
}

TEST(ProjectKeys, ListsAll85KeysInFileOrder) {
    const auto keys = ProjectKeyValues(ProjectSettings{});
    ASSERT_EQ(keys.size(), 85u);
    EXPECT_EQ(keys.front(), (std::pair<std::string, std::string>{"AppName", "Můj program"}));
    EXPECT_EQ(keys[12].first, "Font");
    EXPECT_EQ(keys[74], (std::pair<std::string, std::string>{"Adresar", "0"}));
    EXPECT_EQ(keys[75].first, "AppVersion");
    EXPECT_EQ(keys.back(), (std::pair<std::string, std::string>{"UninstallDisplayIcon", "0"}));
}

} // namespace
} // namespace tornavel
