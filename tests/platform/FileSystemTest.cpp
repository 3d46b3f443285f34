#include "platform/FileSystem.h"

#include "platform/Errors.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::TempDir;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(MatchesWildcard, StarAndQuestionMark) {
    EXPECT_TRUE(MatchesWildcard("readme.txt", "*.txt"));
    EXPECT_TRUE(MatchesWildcard("a.b.txt", "*.txt"));
    EXPECT_FALSE(MatchesWildcard("readme.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesWildcard("setup.exe", "s?tup.*"));
    EXPECT_FALSE(MatchesWildcard("stup.exe", "s?tup.*"));
    EXPECT_TRUE(MatchesWildcard("abcabcx", "*abcx"));
    EXPECT_FALSE(MatchesWildcard("abcabc", "*abcx"));
    EXPECT_TRUE(MatchesWildcard("", "*"));
    EXPECT_FALSE(MatchesWildcard("a", ""));
}

TEST(MatchesWildcard, StarDotStarAlsoTakesNamesWithoutDot) {
    EXPECT_TRUE(MatchesWildcard("ISS", "*.*"));
    EXPECT_TRUE(MatchesWildcard("data.tar.gz", "*.*"));
    EXPECT_TRUE(MatchesWildcard("readme", "readme.*"));
    EXPECT_FALSE(MatchesWildcard("readmex", "readme.*"));
    EXPECT_FALSE(MatchesWildcard("ISS", "*.txt"));
}

TEST(MatchesWildcard, IgnoresCaseLikeWindowsIncludingCzechLetters) {
    EXPECT_TRUE(MatchesWildcard("PROGRAM.EXE", "*.exe"));
    EXPECT_TRUE(MatchesWildcard("font.ttf", "*.TTF"));
    EXPECT_TRUE(MatchesWildcard("ČTI MNE.TXT", "čti*.txt"));
    EXPECT_TRUE(MatchesWildcard("Žluťoučký kůň.rtf", "ŽLUŤOUČKÝ KŮŇ.RTF"));
    // '?' stands for one character, not one byte.
    EXPECT_TRUE(MatchesWildcard("ř.txt", "?.txt"));
}

TEST(MatchesWildcard, BytesThatAreNotUtf8MatchOnlyThemselves) {
    // "\xC0\xAE" is an overlong ".", which must not pass for one.
    EXPECT_FALSE(MatchesWildcard("setup\xC0\xAE"
                                 "exe",
                                 "*.exe"));
    EXPECT_TRUE(MatchesWildcard("setup\xC0\xAE"
                                "exe",
                                "setup??exe"));
    EXPECT_TRUE(MatchesWildcard("a\xFF.txt", "A?.TXT"));
    EXPECT_NE(CompareNamesIgnoringCase("\xC1\x81", "a"), 0); // an overlong "A"
}

TEST(MatchesWildcard, ListOfPatterns) {
    EXPECT_TRUE(MatchesWildcard("a.rtf", "*.txt;*.rtf"));
    EXPECT_TRUE(MatchesWildcard("a.txt", "*.txt; *.rtf"));
    EXPECT_TRUE(MatchesWildcard("a.rtf", "*.txt; *.rtf "));
    EXPECT_FALSE(MatchesWildcard("a.doc", "*.txt;*.rtf"));
    EXPECT_FALSE(MatchesWildcard("a.doc", "*.txt;;"));
}

class FolderListing : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.writeFile("app.exe");
        dir_.writeFile("Readme.TXT");
        dir_.writeFile(".hidden.txt");
        dir_.writeFile("noext");
        dir_.makeDir("Data");
        dir_.makeDir(".git");
        dir_.makeDir("Data.old");
        std::filesystem::create_directory_symlink(dir_.path() / "Data", dir_.path() / "DataLink");
        std::filesystem::create_symlink(dir_.path() / "app.exe", dir_.path() / "applink.exe");
        std::filesystem::create_symlink(dir_.path() / "missing", dir_.path() / "dangling");
    }
    TempDir dir_;
};

TEST_F(FolderListing, FiltersByKindAndHiddenAttribute) {
    EXPECT_EQ(sorted(ListEntries(dir_.folder(), "*.*", EntryFilter::VisibleFolders)),
              (std::vector<std::string>{"Data", "Data.old", "DataLink"}));
    EXPECT_EQ(sorted(ListEntries(dir_.folder(), "*.*", EntryFilter::AllFiles)),
              (std::vector<std::string>{".hidden.txt", "Readme.TXT", "app.exe", "applink.exe",
                                        "dangling", "noext"}));
    EXPECT_EQ(
        sorted(ListEntries(dir_.folder(), "*.*", EntryFilter::VisibleFiles)),
        (std::vector<std::string>{"Readme.TXT", "app.exe", "applink.exe", "dangling", "noext"}));
}

TEST_F(FolderListing, AppliesPatternAndTakesFolderWithoutTrailingSeparator) {
    EXPECT_EQ(sorted(ListEntries(dir_.path().string(), "*.txt", EntryFilter::AllFiles)),
              (std::vector<std::string>{".hidden.txt", "Readme.TXT"}));
    EXPECT_EQ(ListEntries(dir_.folder(), "*.exe;*.com", EntryFilter::VisibleFiles).size(), 2u);
}

TEST_F(FolderListing, ReadFolderReportsEveryEntryOnce) {
    const auto entries = ReadFolder(dir_.folder());
    EXPECT_EQ(entries.size(), 10u);
    for (const auto& e : entries) {
        EXPECT_NE(e.name, ".");
        EXPECT_NE(e.name, "..");
        EXPECT_EQ(e.hidden, e.name[0] == '.') << e.name;
        EXPECT_EQ(e.folder, e.name.rfind("Data", 0) == 0 || e.name == ".git") << e.name;
    }
}

TEST(FolderListingErrors, MissingOrUnreadableFolderThrowsInOutError) {
    TempDir dir;
    try {
        ListEntries(dir.folder() + "nothing/", "*.*", EntryFilter::AllFiles);
        FAIL() << "no exception";
    } catch (const InOutError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.what(), "File not found: " + dir.folder() + "nothing/");
    }
    const auto file = dir.writeFile("plain");
    EXPECT_THROW(ListEntries(file.string(), "*", EntryFilter::AllFiles), InOutError);
    const auto locked = dir.makeDir("locked");
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    test::requireReachable(dir.path());
    EXPECT_EQ(test::runUnprivileged([&] {
                  try {
                      ReadFolder(locked.string());
                      return std::string("no exception");
                  } catch (const InOutError& e) {
                      return std::to_string(e.code());
                  }
              }),
              "5");
}

TEST(FileAttributesTest, ReportsWindowsStyleAttributes) {
    TempDir dir;
    const auto file = dir.writeFile("a.txt");
    const auto hidden = dir.writeFile(".profile");
    const auto folder = dir.makeDir(".cache");

    const FileAttributes f = GetFileAttributes(file.string());
    EXPECT_TRUE(f.exists);
    EXPECT_FALSE(f.folder);
    EXPECT_FALSE(f.readOnly);
    EXPECT_FALSE(f.hidden);
    EXPECT_FALSE(f.system);
    EXPECT_FALSE(f.archive);

    EXPECT_TRUE(GetFileAttributes(hidden.string()).hidden);

    const FileAttributes d = GetFileAttributes(folder.string() + "/");
    EXPECT_TRUE(d.exists);
    EXPECT_TRUE(d.folder);
    EXPECT_TRUE(d.hidden);

    EXPECT_FALSE(GetFileAttributes(dir.folder()).hidden);
    EXPECT_FALSE(GetFileAttributes(dir.folder() + ".").hidden);

    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(GetFileAttributes(file.string()).readOnly);

    const FileAttributes missing = GetFileAttributes(dir.folder() + "missing");
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.folder);
    EXPECT_FALSE(GetFileAttributes("").exists);
}

TEST(NameOrder, CaseInsensitiveWithCzechLettersAndStableTies) {
    std::vector<std::string> names{"b.txt", "ČTI.txt", "A.txt", "a.txt", "_x", "c.txt", "B.TXT"};
    SortNamesIgnoringCase(names);
    // Letters compare as lower case, so "_" sorts before them as in a Windows list box.
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "A.txt", "a.txt", "B.TXT", "b.txt", "c.txt",
                                               "ČTI.txt"}));
    EXPECT_LT(CompareNamesIgnoringCase("abc", "ABD"), 0);
    EXPECT_GT(CompareNamesIgnoringCase("ABCD", "abc"), 0);
    EXPECT_EQ(CompareNamesIgnoringCase("Šárka", "Šárka"), 0);
    EXPECT_NE(CompareNamesIgnoringCase("Šárka", "šÁRKA"), 0);
    EXPECT_EQ(CompareNamesIgnoringCase("Šárka", "šÁRKA") < 0,
              CompareNamesIgnoringCase("šÁRKA", "Šárka") > 0);
}

} // namespace
} // namespace tornavel
