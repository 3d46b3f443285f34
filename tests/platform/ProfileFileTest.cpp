#include "platform/ProfileFile.h"

#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::readFileBytes;
using test::TempDir;

class ProfileFileTest : public ::testing::Test {
protected:
    std::string iniWith(std::string_view bytes) { return dir_.writeFile("a.ini", bytes).string(); }
    TempDir dir_;
};

TEST_F(ProfileFileTest, ReadingMatchesNamesWithoutLetterCaseAndCleansValues) {
    const std::string path = iniWith("[Nastaven\xED]\r\n"
                                     "  AppName =  Hello world  \r\n"
                                     "Quoted=\"  inner  \"\r\n"
                                     "Single='x'\r\n"
                                     "Mixed=\"abc'\r\n"
                                     "OneQuote=\"\r\n"
                                     "Empty=\r\n"
                                     "[Other]\r\n"
                                     "AppName=wrong\r\n");
    const ProfileFile file(path);
    EXPECT_EQ(file.read("NASTAVENÍ", "appname"), "Hello world");
    EXPECT_EQ(file.read("nastavení", "Quoted"), "  inner  ");
    EXPECT_EQ(file.read("Nastavení", "Single"), "x");
    EXPECT_EQ(file.read("Nastavení", "Mixed"), "\"abc'");
    EXPECT_EQ(file.read("Nastavení", "OneQuote"), "\"");
    EXPECT_EQ(file.read("Nastavení", "Empty"), "");
    EXPECT_EQ(file.read("Nastavení", "Missing"), std::nullopt);
    EXPECT_EQ(file.read("Nowhere", "AppName"), std::nullopt);
    EXPECT_EQ(file.readString("Nowhere", "AppName", "fallback"), "fallback");
}

TEST_F(ProfileFileTest, LongValuesAreCutAt2047Characters) {
    const std::string path = iniWith("[S]\r\nK=" + std::string(3000, 'x') + "\r\n");
    EXPECT_EQ(ProfileFile(path).read("S", "K")->size(), 2047u);
}

TEST_F(ProfileFileTest, MissingOrUnreadableFileReadsAsEmpty) {
    EXPECT_EQ(ProfileFile((dir_.path() / "none.ini").string()).read("S", "K"), std::nullopt);
    EXPECT_EQ(ProfileFile(dir_.path().string()).read("S", "K"), std::nullopt); // a folder
}

TEST_F(ProfileFileTest, WritingKeepsForeignLinesByteForByte) {
    const std::string original = "; comment\r\n"
                                 "[First]\r\n"
                                 "Keep = as is \r\n"
                                 "KEY=old\r\n"
                                 "\r\n"
                                 "[Second]\n"
                                 "lf=line\n";
    const std::string path = iniWith(original);
    ProfileFile file(path);
    file.write("first", "key", "new value");
    file.write("FIRST", "Added", "v");
    file.write("Third", "T", "Ťuk");
    file.write("second", "x", "1");
    file.commit();
    EXPECT_EQ(readFileBytes(path), "; comment\r\n"
                                   "[First]\r\n"
                                   "Keep = as is \r\n"
                                   "KEY=new value\r\n"
                                   "Added=v\r\n"
                                   "\r\n"
                                   "[Second]\n"
                                   "lf=line\n"
                                   "x=1\r\n"
                                   "[Third]\r\n"
                                   "T=\x8Duk\r\n");
}

TEST_F(ProfileFileTest, ValuesReadingWouldAlterAreQuotedAndReadBackUnchanged) {
    const std::pair<std::string, std::string> cases[] = {
        // Read back as they are: written as they are.
        {"a\"b", "a\"b"},
        {"\"abc'", "\"abc'"},
        {"\"", "\""},
        {"'", "'"},
        {"x \"y\"", "x \"y\""},
        {"", ""},
        // Enclosed in a pair of the same quote, or with outer blanks or tabs.
        {"\"{app}\\čti mne.txt\"", "\"\"{app}\\\xE8ti mne.txt\"\""},
        {"'q'", "\"'q'\""},
        {"\"\"", "\"\"\"\""},
        {"  lead", "\"  lead\""},
        {"trail ", "\"trail \""},
        {"\tTab", "\"\tTab\""},
        {" ", "\" \""},
    };
    const std::string path = iniWith("");
    for (const auto& [value, stored] : cases) {
        ProfileFile file(path);
        file.write("S", "K", value);
        file.commit();
        EXPECT_EQ(readFileBytes(path), "[S]\r\nK=" + stored + "\r\n") << value;
        EXPECT_EQ(ProfileFile(path).read("S", "K"), value);
    }
}

TEST_F(ProfileFileTest, ValueLongerThanTheReaderKeepsIsRefused) {
    const std::string path = iniWith("[S]\r\nK=old\r\n");
    ProfileFile file(path);
    file.write("S", "K", std::string(kMaxProfileValueLength, 'x'));
    try {
        file.write("S", "K", std::string(kMaxProfileValueLength - 1, 'x') + "é");
        file.write("S", "K", std::string(kMaxProfileValueLength + 1, 'x'));
        FAIL() << "a value the reader would cut was accepted";
    } catch (const ValueTooLongError& e) {
        EXPECT_NE(std::string(e.what()).find("„K“"), std::string::npos) << e.what();
    }
    file.commit();
    EXPECT_EQ(ProfileFile(path).read("S", "K"), std::string(kMaxProfileValueLength - 1, 'x') + "é");
}

TEST_F(ProfileFileTest, AppendsAfterAnUnterminatedLastLine) {
    const std::string path = iniWith("[S]\r\nA=1");
    writeProfileString(path, "S", "B", "2");
    writeProfileString(path, "T", "C", "3");
    EXPECT_EQ(readFileBytes(path), "[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n");
}

TEST_F(ProfileFileTest, UnencodableTextIsRefusedBeforeAnythingChanges) {
    const std::string path = iniWith("[S]\r\nA=1\r\n");
    ProfileFile file(path);
    EXPECT_THROW(file.write("S", "A", "日本"), EncodingError);
    EXPECT_THROW(file.write("S", "A", "two\r\nlines"), Error);
    EXPECT_EQ(file.bytes(), "[S]\r\nA=1\r\n");
}

TEST_F(ProfileFileTest, FailedWriteReportsThePathAndLeavesTheFileIntact) {
    const std::string original = "[S]\r\nA=1\r\n";
    const std::string path = iniWith(original);
    ProfileFile file(path);
    for (int i = 0; i < 50; ++i) {
        file.write("S", "A" + std::to_string(i), std::string(kMaxProfileValueLength, 'z'));
    }
    {
        test::FileSizeLimit diskFull(4096);
        try {
            file.commit();
            FAIL() << "the write did not fail";
        } catch (const IniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path + " (File too large)");
        }
    }
    EXPECT_EQ(readFileBytes(path), original);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              1);

    ProfileFile intoMissingFolder((dir_.path() / "no" / "such.ini").string());
    intoMissingFolder.write("S", "A", "1");
    EXPECT_THROW(intoMissingFolder.commit(), IniWriteError);
}

TEST_F(ProfileFileTest, WritingThroughLinksReplacesTheirTargetAndKeepsTheLinks) {
    const auto real = dir_.writeFile("data/real.ini", "[S]\r\nA=1\r\n");
    std::filesystem::create_symlink("real.ini", dir_.path() / "data" / "hop.ini");
    std::filesystem::create_symlink(dir_.path() / "data" / "hop.ini", dir_.path() / "a.ini");
    writeProfileString((dir_.path() / "a.ini").string(), "S", "B", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.path() / "a.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.path() / "data" / "hop.ini"));
    EXPECT_EQ(readFileBytes(real), "[S]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path() / "data"),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(ProfileFileTest, WritableFileInAFolderThatIsNotIsWrittenInPlace) {
    const std::string path = iniWith("[S]\r\nA=12345\r\n");
    std::filesystem::permissions(path, std::filesystem::perms(0666));
    std::filesystem::permissions(dir_.path(), std::filesystem::perms(0555));
    test::requireReachable(dir_.path());
    EXPECT_EQ(test::runUnprivileged([&] {
                  writeProfileString(path, "S", "A", "1");
                  return std::string("written");
              }),
              "written");
    EXPECT_EQ(readFileBytes(path), "[S]\r\nA=1\r\n"); // the old tail is cut off

    // The space is reserved before the first byte changes: a full disk leaves
    // the file as it was.
    EXPECT_EQ(test::runUnprivileged([&] {
                  ProfileFile file(path);
                  for (int i = 0; i < 50; ++i) {
                      file.write("S", "B" + std::to_string(i),
                                 std::string(kMaxProfileValueLength, 'z'));
                  }
                  test::FileSizeLimit diskFull(4096);
                  try {
                      file.commit();
                      return std::string("written");
                  } catch (const Error& e) {
                      return std::string(e.what());
                  }
              }),
              "Unable to write to " + path + " (File too large)");
    EXPECT_EQ(readFileBytes(path), "[S]\r\nA=1\r\n");
}

TEST_F(ProfileFileTest, FileThatCanBeWrittenButNotReadIsNotOverwritten) {
    const std::string original = "[Other]\r\nKeep=me\r\n";
    const std::string path = iniWith(original);
    std::filesystem::permissions(path, std::filesystem::perms(0222));
    std::filesystem::permissions(dir_.path(), std::filesystem::perms(0777));
    test::requireReachable(dir_.path());
    EXPECT_EQ(test::runUnprivileged([&] {
                  try {
                      writeProfileString(path, "S", "A", "1");
                      return std::string("written");
                  } catch (const Error& e) {
                      return std::string(e.what());
                  }
              }),
              "Soubor „" + path +
                  "“ nelze přečíst (File access denied), a proto nebyl přepsán: ztratil by se "
                  "jeho ostatní obsah.");
    std::filesystem::permissions(path, std::filesystem::perms(0644));
    EXPECT_EQ(readFileBytes(path), original);
}

} // namespace
} // namespace tornavel
