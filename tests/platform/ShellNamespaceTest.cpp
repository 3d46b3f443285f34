#include "platform/ShellNamespace.h"

#include "platform/Errors.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace tornavel::shell {
namespace {

using test::TempDir;

// An absolute list built from names, every one a folder.
IdList listOf(std::initializer_list<std::string_view> names) {
    IdList list(CopyIdList(nullptr));
    for (const auto name : names) {
        const IdList id = MakeItemId(name, true);
        list.reset(JoinIdLists(list.get(), id.get()));
    }
    return list;
}

std::vector<std::string> namesOf(ConstIdPtr list) {
    std::vector<std::string> names;
    for (ConstIdPtr id = list; !IdListIsEmpty(id); id = NextId(id)) {
        names.emplace_back(IdName(id));
    }
    return names;
}

TEST(IdListTest, SizesCountEveryIdentifierAndTheTerminator) {
    EXPECT_EQ(IdListSize(nullptr), 0u);
    const IdList empty(CopyIdList(nullptr));
    EXPECT_EQ(IdListSize(empty.get()), 2u);
    EXPECT_TRUE(IdListIsEmpty(empty.get()));

    const IdList one = MakeItemId("abc", false);
    // count (2) + flag (1) + name (3), then the terminator (2)
    EXPECT_EQ(IdListSize(one.get()), 8u);
    EXPECT_EQ(IdName(one.get()), "abc");
    EXPECT_FALSE(IdIsFolder(one.get()));

    const IdList two = listOf({"home", "Projekt"});
    EXPECT_EQ(IdListSize(two.get()), (3u + 4u) + (3u + 7u) + 2u);
    EXPECT_EQ(namesOf(two.get()), (std::vector<std::string>{"home", "Projekt"}));
}

TEST(IdListTest, JoinCopyAndRemoveLastKeepTheLayout) {
    const IdList a = listOf({"home", "u"});
    const IdList b = MakeItemId("soubor.txt", false);
    const IdList joined(JoinIdLists(a.get(), b.get()));
    EXPECT_EQ(IdListSize(joined.get()), IdListSize(a.get()) - 2 + IdListSize(b.get()));
    EXPECT_EQ(namesOf(joined.get()), (std::vector<std::string>{"home", "u", "soubor.txt"}));
    EXPECT_FALSE(IdIsFolder(LastId(joined.get())));

    // With no first list the join is a copy of the second.
    const IdList alone(JoinIdLists(nullptr, b.get()));
    ASSERT_EQ(IdListSize(alone.get()), IdListSize(b.get()));
    EXPECT_EQ(std::memcmp(alone.get(), b.get(), IdListSize(b.get())), 0);

    const IdList copy(CopyIdList(joined.get()));
    ASSERT_EQ(IdListSize(copy.get()), IdListSize(joined.get()));
    EXPECT_EQ(std::memcmp(copy.get(), joined.get(), IdListSize(joined.get())), 0);

    RemoveLastId(copy.get());
    EXPECT_EQ(namesOf(copy.get()), (std::vector<std::string>{"home", "u"}));
    RemoveLastId(copy.get());
    RemoveLastId(copy.get());
    EXPECT_TRUE(IdListIsEmpty(copy.get()));
    RemoveLastId(copy.get()); // an empty list stays empty
    EXPECT_EQ(IdListSize(copy.get()), 2u);
    // The original is untouched by changes to its copy.
    EXPECT_EQ(namesOf(joined.get()).size(), 3u);
}

TEST(IdListTest, NamesWithAnyBytesSurviveTheRoundTrip) {
    const std::string odd = std::string("a\0b", 3) + "\xff\xfe" + "ž";
    const IdList id = MakeItemId(odd, true);
    EXPECT_EQ(IdName(id.get()), odd);
    EXPECT_TRUE(IdIsFolder(id.get()));
}

TEST(ShellFolderTest, PathsBecomeListsAndBack) {
    TempDir dir;
    dir.makeDir("a/b");
    dir.writeFile("a/b/f.txt", "x");
    const ShellFolder desktop;

    const IdList folder = desktop.parseDisplayName(dir.folder() + "a/b/");
    EXPECT_EQ(desktop.getDisplayNameOf(folder.get(), NameForm::ForParsing),
              (dir.path() / "a" / "b").string());
    EXPECT_EQ(desktop.getDisplayNameOf(folder.get(), NameForm::Normal), "b");
    EXPECT_TRUE(IdIsFolder(LastId(folder.get())));

    // "." and ".." are resolved; the trailing separator is accepted.
    const IdList same = desktop.parseDisplayName(dir.folder() + "a/./b/../b");
    ASSERT_EQ(IdListSize(same.get()), IdListSize(folder.get()));
    EXPECT_EQ(std::memcmp(same.get(), folder.get(), IdListSize(folder.get())), 0);

    const IdList file = desktop.parseDisplayName(dir.folder() + "a/b/f.txt");
    EXPECT_FALSE(IdIsFolder(LastId(file.get())));

    const IdList root = desktop.parseDisplayName("/");
    EXPECT_TRUE(IdListIsEmpty(root.get()));
    EXPECT_EQ(desktop.getDisplayNameOf(root.get(), NameForm::ForParsing), "/");
}

TEST(ShellFolderTest, BadPathsAndFoldersFailWithTheFolderNamed) {
    TempDir dir;
    dir.writeFile("f.txt", "x");
    const ShellFolder desktop;
    try {
        (void)desktop.parseDisplayName(dir.folder() + "chybi");
        FAIL() << "a missing folder was parsed";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(dir.folder() + "chybi"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("neexistuje"), std::string::npos);
    }
    EXPECT_THROW((void)desktop.parseDisplayName("relativni/cesta"), Error);

    const IdList file = desktop.parseDisplayName(dir.folder() + "f.txt");
    EXPECT_THROW((void)desktop.bindToObject(file.get()), Error);

    // A folder that went away between parsing and binding.
    dir.makeDir("pryc");
    const IdList gone = desktop.parseDisplayName(dir.folder() + "pryc");
    std::filesystem::remove(dir.path() / "pryc");
    EXPECT_THROW((void)desktop.bindToObject(gone.get()), Error);
}

TEST(ShellFolderTest, EnumerationGivesEveryChildWithItsFolderFlag) {
    TempDir dir;
    dir.makeDir("sub");
    dir.makeDir(".skryta");
    dir.writeFile("a.txt", "");
    dir.writeFile(".skryty", "");
    std::filesystem::create_directory_symlink(dir.path() / "sub", dir.path() / "odkaz");
    const ShellFolder desktop;
    const IdList id = desktop.parseDisplayName(dir.folder());
    const ShellFolder folder = desktop.bindToObject(id.get());

    std::set<std::pair<std::string, bool>> seen;
    auto en = folder.enumObjects();
    while (const IdList child = en.next()) {
        seen.emplace(folder.getDisplayNameOf(child.get(), NameForm::Normal),
                     folder.isFolder(child.get()));
    }
    EXPECT_EQ(seen, (std::set<std::pair<std::string, bool>>{{"sub", true},
                                                            {".skryta", true},
                                                            {"a.txt", false},
                                                            {".skryty", false},
                                                            {"odkaz", true}}));
}

TEST(ShellFolderTest, ListingHoldsWhileTheFolderIsUnchangedAndSettled) {
    TempDir dir;
    dir.makeDir("zdroj");
    const std::string folderPath = (dir.path() / "zdroj").string();
    const auto setModified = [&](std::int64_t secondsAgo) {
        const timespec when{::time(nullptr) - secondsAgo, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, folderPath.c_str(), times, 0), 0);
    };
    const ShellFolder desktop;
    const ShellFolder folder = desktop.bindToObject(desktop.parseDisplayName(folderPath).get());

    setModified(3600);
    const FolderStamp listed = folder.stamp();
    ASSERT_TRUE(listed.trusted); // the temporary folder lies on a local file system
    EXPECT_TRUE(ListingStillHolds(listed, folder.stamp()));
    FolderStamp untrusted = folder.stamp();
    untrusted.trusted = false;
    EXPECT_FALSE(ListingStillHolds(listed, untrusted));
    EXPECT_FALSE(ListingStillHolds(untrusted, listed));

    // A new entry changes the folder's time.
    dir.writeFile("zdroj/novy.txt", "");
    EXPECT_FALSE(ListingStillHolds(listed, folder.stamp()));
    // A folder changed a moment before its listing may change again without
    // its time moving: in doubt, it is listed again.
    setModified(0);
    const FolderStamp fresh = folder.stamp();
    EXPECT_FALSE(ListingStillHolds(fresh, folder.stamp()));
    // Another folder under the same name, with the same time.
    setModified(3600);
    const FolderStamp before = folder.stamp();
    dir.makeDir("jiny");
    std::filesystem::remove_all(folderPath);
    std::filesystem::rename(dir.path() / "jiny", folderPath);
    setModified(3600);
    EXPECT_FALSE(ListingStillHolds(before, folder.stamp()));
    std::filesystem::remove_all(folderPath);
    EXPECT_FALSE(ListingStillHolds(before, folder.stamp()));
}

TEST(ShellFolderTest, ABlockHoldsManyListsAcrossItsParts) {
    IdListBlock block;
    std::vector<std::uint32_t> offsets;
    for (int i = 0; i < 1000; ++i) {
        offsets.push_back(block.append(std::to_string(i) + std::string(200, 'x'), i % 2 == 0));
    }
    for (int i = 0; i < 1000; ++i) {
        const ConstIdPtr id = block.at(offsets[static_cast<std::size_t>(i)]);
        ASSERT_EQ(IdName(id), std::to_string(i) + std::string(200, 'x'));
        EXPECT_EQ(IdIsFolder(id), i % 2 == 0);
        EXPECT_EQ(IdListSize(id), 3 + IdName(id).size() + 2); // a complete list
    }
}

TEST(ShellFolderTest, FindDataFollowsThePosixRules) {
    TempDir dir;
    dir.writeFile("rw.txt", std::string(2500, 'x'));
    dir.writeFile(".ro", "");
    dir.makeDir("sub");
    ASSERT_EQ(::chmod((dir.path() / ".ro").c_str(), 0444), 0);
    const ShellFolder desktop;
    const IdList id = desktop.parseDisplayName(dir.folder());
    const ShellFolder folder = desktop.bindToObject(id.get());

    const FindData rw = folder.getFindData(MakeItemId("rw.txt", false).get());
    EXPECT_EQ(rw.attributes, 0u);
    EXPECT_EQ(rw.size, 2500u);
    EXPECT_TRUE(rw.hasWriteTime);
    struct stat st {};
    ASSERT_EQ(::stat((dir.path() / "rw.txt").c_str(), &st), 0);
    EXPECT_EQ(rw.writeTimeSeconds, st.st_mtim.tv_sec);

    const FindData ro = folder.getFindData(MakeItemId(".ro", false).get());
    EXPECT_EQ(ro.attributes, kAttrReadOnly | kAttrHidden);

    const FindData sub = folder.getFindData(MakeItemId("sub", true).get());
    EXPECT_EQ(sub.attributes, kAttrDirectory);

    const FindData gone = folder.getFindData(MakeItemId("nic", false).get());
    EXPECT_FALSE(gone.hasWriteTime);
    EXPECT_EQ(gone.attributes, 0u);
}

TEST(BrowserTextTest, SizesAndAttributeLetters) {
    EXPECT_EQ(SizeText(SizeInKB(0)), "1KB");
    EXPECT_EQ(SizeText(SizeInKB(1999)), "1KB");
    EXPECT_EQ(SizeText(SizeInKB(2000)), "2KB");
    EXPECT_EQ(SizeText(SizeInKB(2999)), "2KB");
    EXPECT_EQ(SizeText(SizeInKB(2048000)), "2048KB");
    // Beyond 32 bits of thousands the size is still right.
    EXPECT_EQ(SizeText(SizeInKB(5'000'000'000'000ULL)), "5000000000KB");

    EXPECT_EQ(AttributeLetters(0), "");
    EXPECT_EQ(AttributeLetters(kAttrReadOnly | kAttrHidden), "RH");
    EXPECT_EQ(AttributeLetters(kAttrArchive | kAttrSystem | kAttrHidden | kAttrReadOnly), "RHSA");
    EXPECT_EQ(AttributeLetters(kAttrDirectory | 0x80 | 0x100), "");
}

} // namespace
} // namespace tornavel::shell
