#include "platform/ProfileFile.h"

#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::readFileBytes;
using test::TempDir;

class ProfileFileTest : public ::testing::Test {
protected:
    std::string iniWith(std::string_view bytes) { return dir.writeFile("a.ini", bytes).string(); }
    TempDir dir;
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
    EXPECT_EQ(ProfileFile((dir.path() / "none.ini").string()).read("S", "K"), std::nullopt);
    EXPECT_EQ(ProfileFile(dir.path().string()).read("S", "K"), std::nullopt); // a folder
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
    file.write("first", "key", "   new value");
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
    file.write("S", "A", std::string(100000, 'z'));
    {
        test::FileSizeLimit diskFull(4096);
        try {
            file.commit();
            FAIL() << "the write did not fail";
        } catch (const IniWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(readFileBytes(path), original);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    ProfileFile intoMissingFolder((dir.path() / "no" / "such.ini").string());
    intoMissingFolder.write("S", "A", "1");
    EXPECT_THROW(intoMissingFolder.commit(), IniWriteError);
}

} // namespace
} // namespace tornavel
