#include <gtest/gtest.h>

#include <cerrno>

#include "model/errors.h"

namespace trivane {
namespace {

TEST(Messages, SaveErrorsNameTheCause) {
  EXPECT_EQ(messages::SaveFailed(ENOENT), "File not found");
  EXPECT_EQ(messages::SaveFailed(ENAMETOOLONG), "Invalid filename");
  EXPECT_EQ(messages::SaveFailed(EMFILE), "Too many open files");
  EXPECT_EQ(messages::SaveFailed(EACCES), "File access denied");
  EXPECT_EQ(messages::SaveFailed(ENOSPC), "Disk full");
  EXPECT_EQ(messages::SaveFailed(EIO), "I/O error 5");
}

TEST(Messages, CapacityTextsCarryTheNumbers) {
  EXPECT_EQ(messages::TooManyNodes(1001), "结点数 1001 超出上限 1000");
  EXPECT_EQ(messages::TooManyElements(-1), "单元数 -1 超出上限 1000");
  EXPECT_EQ(messages::TooManyNodesToAnalyse(501), "结点数 501 超出计算上限 500");
  EXPECT_EQ(messages::NotAReal("1.0x"), "'1.0x' is not a valid floating point value");
}

}  // namespace
}  // namespace trivane
