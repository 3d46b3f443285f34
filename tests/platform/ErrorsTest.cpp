#include "platform/Errors.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <system_error>

namespace tornavel {
namespace {

std::string systemText(int err) {
    return std::generic_category().message(err);
}

TEST(InOutErrorFromErrno, OnlyErrorsWithAWindowsCounterpartTakeItsText) {
    const std::pair<int, int> counterparts[] = {{ENOENT, 2},   {EACCES, 5},     {EPERM, 5},
                                                {EMFILE, 4},   {ENFILE, 4},     {ENOSPC, 101},
                                                {EDQUOT, 101}, {ENOTEMPTY, 145}};
    for (const auto& [err, code] : counterparts) {
        const InOutError e = InOutError::fromErrno(err);
        EXPECT_EQ(e.code(), code) << err;
        EXPECT_EQ(e.systemError(), err);
        EXPECT_EQ(e.what(), code == 145 ? "I/O error 145 (" + systemText(err) + ")"
                                        : InOutError::textFor(code));
    }
    // Errors of other meanings, among them those whose numbers are 5, 100 and
    // 101 on this system, keep their own number and the system's text.
    for (const int err : {EIO, ENOTDIR, EISDIR, EROFS, EFBIG, EEXIST, 100, 101}) {
        const InOutError e = InOutError::fromErrno(err);
        EXPECT_EQ(e.code(), 0) << err;
        EXPECT_EQ(e.what(), "I/O error " + std::to_string(err) + " (" + systemText(err) + ")");
    }
}

TEST(InOutErrorFromErrno, NamesTheFileWhenGivenIt) {
    EXPECT_STREQ(InOutError::fromErrno(ENOSPC, "/p/ISS").what(), "Disk full: /p/ISS");
    EXPECT_EQ(InOutError::fromErrno(EIO, "/p/ISS").what(),
              "I/O error " + std::to_string(EIO) + " (" + systemText(EIO) + "): /p/ISS");
    EXPECT_STREQ(InOutError(2, "/p/a.ipr").what(), "File not found: /p/a.ipr");
    EXPECT_STREQ(InOutError(145).what(), "I/O error 145");
}

} // namespace
} // namespace tornavel
