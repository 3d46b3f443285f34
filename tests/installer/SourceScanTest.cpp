#include "installer/SourceScan.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

namespace tornavel {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

// The folders of a level as the file system enumerates them, for expectations
// that must not depend on the order a particular file system returns.
Names foldersOf(const std::string& folder) {
    return ListEntries(folder, "*.*", EntryFilter::VisibleFolders);
}

TEST(ScanSourceFolders, ChainIsListedTopDown) {
    TempDir dir;
    dir.makeDir("A/B/C");
    EXPECT_EQ(ScanSourceFolders(dir.folder()), (Names{"A", "A\\B", "A\\B\\C"}));
    // The separator at the end is optional.
    EXPECT_EQ(ScanSourceFolders(dir.path().string()), (Names{"A", "A\\B", "A\\B\\C"}));
}

TEST(ScanSourceFolders, LevelByLevelGroupedByParentInParentOrder) {
    TempDir dir;
    dir.makeDir("A/X/Z");
    dir.makeDir("B/Y");
    dir.makeDir("B/W");
    const Names level1 = foldersOf(dir.folder());
    ASSERT_EQ(level1.size(), 2u);
    Names expected = level1;
    for (const auto& parent : level1) {
        for (const auto& child : foldersOf(dir.folder() + parent)) {
            expected.push_back(parent + "\\" + child);
        }
    }
    expected.push_back("A\\X\\Z");
    EXPECT_EQ(ScanSourceFolders(dir.folder()), expected);
}

TEST(ScanSourceFolders, StopsAtLevelNineteen) {
    TempDir dir;
    std::string relative, entry;
    Names expected;
    for (int level = 1; level <= 25; ++level) {
        const std::string name = "L" + std::to_string(level);
        relative += (level > 1 ? "/" : "") + name;
        entry += (level > 1 ? "\\" : "") + name;
        if (level <= 19) {
            expected.push_back(entry);
        }
    }
    dir.makeDir(relative);
    const Names scanned = ScanSourceFolders(dir.folder());
    EXPECT_EQ(scanned, expected);
    ASSERT_EQ(scanned.size(), 19u);

    // The files of level 19 are still listed; nothing below it is.
    dir.writeFile("L1/L2/L3/L4/L5/L6/L7/L8/L9/L10/L11/L12/L13/L14/L15/L16/L17/L18/L19/deep.txt");
    const SourceTree tree = ScanSourceTree(dir.folder());
    ASSERT_EQ(tree.folders.size(), 19u);
    EXPECT_EQ(tree.files.back(), (Names{"deep.txt"}));
}

TEST(ScanSourceFolders, LeavesOutHiddenAndDottedFoldersWithEverythingBelow) {
    TempDir dir;
    dir.writeFile("Data.old/Inner/file.txt");
    dir.writeFile(".hidden/Inner/file.txt");
    dir.writeFile("Setup.2/x");
    dir.writeFile("Data/.cache/x");
    dir.writeFile("Data/.profile");
    dir.writeFile("Data/Img/a.png");
    EXPECT_EQ(ScanSourceFolders(dir.folder()), (Names{"Data", "Data\\Img"}));
}

// What stays out is named at its top: a hidden or dotted folder (not what is
// below it) and the folders of level 20 (not those below them).
TEST(ScanSourceTree, NamesTheFoldersItLeavesOut) {
    TempDir dir;
    dir.writeFile("Data.old/Inner/file.txt");
    dir.writeFile("Data/.cache/Inner/x");
    dir.writeFile("Data/.profile");
    std::string deep = "D";
    for (int level = 2; level <= 21; ++level) {
        deep += "/D";
    }
    dir.makeDir(deep);
    const SourceTree tree = ScanSourceTree(dir.folder());
    Names expected{"Data.old", "Data\\.cache", "D"};
    for (int level = 2; level <= 20; ++level) {
        expected.back() += "\\D";
    }
    Names leftOut = tree.leftOut;
    std::sort(leftOut.begin(), leftOut.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(leftOut, expected);
    EXPECT_EQ(tree.folders.size(), 20u); // Data and D .. level 19
}

TEST(LeftOutFoldersNotice, ListsTheFirstTenAndCountsAll) {
    const std::string start = "Složky vynechané z instalace (název s tečkou, skrytá složka nebo "
                              "více než 19 úrovní pod zdrojovým adresářem), ";
    EXPECT_EQ(LeftOutFoldersNotice({"A.b", "C\\.d"}), start + "celkem 2: A.b, C/.d.");
    Names many;
    std::string listed;
    for (int i = 1; i <= 16; ++i) {
        many.push_back("F." + std::to_string(i));
        if (i <= 10) {
            listed += (i > 1 ? ", F." : "F.") + std::to_string(i);
        }
    }
    EXPECT_EQ(LeftOutFoldersNotice(many), start + "celkem 16: " + listed + " a 6 dalších.");
    many.resize(12);
    EXPECT_EQ(LeftOutFoldersNotice(many), start + "celkem 12: " + listed + " a 2 další.");
}

TEST(ScanSourceFolders, EmptyMissingOrFileOnlySourceGivesNoFolders) {
    TempDir dir;
    EXPECT_TRUE(ScanSourceFolders(dir.folder()).empty());
    dir.writeFile("a.txt");
    EXPECT_TRUE(ScanSourceFolders(dir.folder()).empty());
    EXPECT_TRUE(ScanSourceFolders(dir.folder() + "missing/").empty());
    EXPECT_TRUE(ScanSourceFolders("").empty());
}

TEST(ScanSourceFolders, FollowsLinksToFoldersAsWindowsFollowsJunctions) {
    TempDir dir;
    dir.writeFile("Real/a.txt");
    std::filesystem::create_directory_symlink(dir.path() / "Real", dir.path() / "Link");
    Names scanned = ScanSourceFolders(dir.folder());
    std::sort(scanned.begin(), scanned.end());
    EXPECT_EQ(scanned, (Names{"Link", "Real"}));
}

TEST(ScanSourceFolders, LinksBackUpTheTreeAreNotFollowed) {
    TempDir dir;
    TempDir outside;
    dir.makeDir("A/B");
    std::filesystem::create_directory_symlink(dir.path(), dir.path() / "A" / "toRoot");
    std::filesystem::create_directory_symlink(dir.path() / "A", dir.path() / "A" / "B" / "toA");
    std::filesystem::create_directory_symlink(dir.path() / "A" / "B", dir.path() / "A" / "self");
    // A loop that passes through a folder outside the source folder.
    std::filesystem::create_directory_symlink(outside.path(), dir.path() / "Out");
    std::filesystem::create_directory_symlink(dir.path() / "A", outside.path() / "back");
    Names scanned = ScanSourceFolders(dir.folder());
    std::sort(scanned.begin(), scanned.end());
    EXPECT_EQ(scanned, (Names{"A", "A\\B", "A\\self", "Out", "Out\\back", "Out\\back\\B",
                              "Out\\back\\self"}));
}

TEST(ListFolderFiles, EveryFileSortedWithoutRegardToCaseNoFolders) {
    TempDir dir;
    for (const char* name : {"b.txt", "C.txt", "a.TXT", ".hidden", "ISS", "Čti mne.txt"}) {
        dir.writeFile(name);
    }
    dir.makeDir("Sub");
    dir.makeDir(".git");
    EXPECT_EQ(ListFolderFiles(dir.folder()),
              (Names{".hidden", "a.TXT", "b.txt", "C.txt", "ISS", "Čti mne.txt"}));
}

TEST(ListFolderFiles, FolderWithOnlySubFoldersGivesEmptyListButStaysInScan) {
    TempDir dir;
    dir.makeDir("Only/Sub");
    EXPECT_TRUE(ListFolderFiles(dir.folder() + "Only").empty());
    EXPECT_EQ(ScanSourceFolders(dir.folder()), (Names{"Only", "Only\\Sub"}));
}

TEST(ListFolderFiles, MissingFolderThrowsFileNotFound) {
    TempDir dir;
    try {
        ListFolderFiles(dir.folder() + "gone/");
        FAIL() << "no exception";
    } catch (const InOutError& e) {
        EXPECT_EQ(e.code(), 2);
    }
}

TEST(ScanSourceTree, AgreesWithScanAndPerFolderListings) {
    TempDir dir;
    const char* files[] = {"root.txt",    "A/a1",        "A/.a2",         "A/B/b.TXT",
                           "A/B/C/c",     "D/d",         "D/E/e1",        "D/E/E2",
                           "D/E/F/G/H/h", "X.y/skipped", "D/.hid/skipped"};
    for (const char* f : files) {
        dir.writeFile(f);
    }
    dir.makeDir("Empty");
    dir.makeDir("D/OnlyFolders/Inner");

    const SourceTree tree = ScanSourceTree(dir.folder());
    EXPECT_EQ(tree.folders, ScanSourceFolders(dir.folder()));
    ASSERT_EQ(tree.files.size(), tree.folders.size());
    ASSERT_EQ(tree.listError.size(), tree.folders.size());
    for (std::size_t i = 0; i < tree.folders.size(); ++i) {
        std::string native = tree.folders[i];
        std::replace(native.begin(), native.end(), '\\', '/');
        EXPECT_EQ(tree.files[i], ListFolderFiles(dir.folder() + native)) << tree.folders[i];
        EXPECT_EQ(tree.listError[i], 0);
    }
}

TEST(ScanSourceTree, RecordsAFolderThatCannotBeListed) {
    TempDir dir;
    dir.writeFile("Locked/Inner/x");
    dir.writeFile("Open/y");
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    std::filesystem::permissions(dir.path() / "Locked", std::filesystem::perms::none);
    test::requireReachable(dir.path());
    const std::string scanned = test::runUnprivileged([&] {
        const SourceTree tree = ScanSourceTree(dir.folder());
        Names found;
        for (std::size_t i = 0; i < tree.folders.size(); ++i) {
            found.push_back(tree.folders[i] + ":" + std::to_string(tree.listError[i]));
        }
        std::sort(found.begin(), found.end());
        std::string joined;
        for (const auto& f : found) {
            joined += f + " ";
        }
        return joined;
    });
    EXPECT_EQ(scanned, "Locked:" + std::to_string(EACCES) + " Open:0 ");
}

} // namespace
} // namespace tornavel
