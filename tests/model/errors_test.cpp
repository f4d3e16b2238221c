#include <gtest/gtest.h>

#include <cerrno>

#include "model/errors.h"

namespace trivane {
namespace {

struct SaveErrorRow {
  int error;
  const char* text;
};

class SaveFailed : public ::testing::TestWithParam<SaveErrorRow> {};

TEST_P(SaveFailed, NamesTheCause) { EXPECT_EQ(messages::SaveFailed(GetParam().error), GetParam().text); }

// Every system error a save can meet, grouped by the cause the user is told.
INSTANTIATE_TEST_SUITE_P(
    Rows, SaveFailed,
    ::testing::Values(SaveErrorRow{ENOENT, "File not found"}, SaveErrorRow{ENOTDIR, "File not found"},
                      SaveErrorRow{EINVAL, "Invalid filename"}, SaveErrorRow{ENAMETOOLONG, "Invalid filename"},
                      SaveErrorRow{EISDIR, "Invalid filename"}, SaveErrorRow{EMFILE, "Too many open files"},
                      SaveErrorRow{ENFILE, "Too many open files"}, SaveErrorRow{EACCES, "File access denied"},
                      SaveErrorRow{EPERM, "File access denied"}, SaveErrorRow{EROFS, "File access denied"},
                      SaveErrorRow{ENOSPC, "Disk full"}, SaveErrorRow{EDQUOT, "Disk full"},
                      SaveErrorRow{EFBIG, "Disk full"}, SaveErrorRow{EIO, "I/O error 5"},
                      SaveErrorRow{EXDEV, "I/O error 18"}));

}  // namespace
}  // namespace trivane
