#include <gtest/gtest.h>

#include <cerrno>

#include "model/errors.h"

namespace trivane {
namespace {

struct WriteErrorRow {
  int error;
  const char* text;
};

class CannotWrite : public ::testing::TestWithParam<WriteErrorRow> {};

TEST_P(CannotWrite, NamesThePathAndTheCause) {
  EXPECT_EQ(messages::CannotWrite("结果/out.vtu", GetParam().error), std::string("无法写入 结果/out.vtu：") + GetParam().text);
}

// Every system error a write can meet, grouped by the cause the user is told.
INSTANTIATE_TEST_SUITE_P(
    Rows, CannotWrite,
    ::testing::Values(WriteErrorRow{ENOENT, "文件夹不存在"}, WriteErrorRow{ENOTDIR, "文件夹不存在"},
                      WriteErrorRow{EISDIR, "这是一个文件夹"}, WriteErrorRow{EINVAL, "文件名无效"},
                      WriteErrorRow{ENAMETOOLONG, "文件名太长"}, WriteErrorRow{ELOOP, "符号链接太多或形成循环"},
                      WriteErrorRow{EMFILE, "打开的文件太多"}, WriteErrorRow{ENFILE, "打开的文件太多"},
                      WriteErrorRow{EACCES, "没有写入权限"}, WriteErrorRow{EPERM, "没有写入权限"},
                      WriteErrorRow{EROFS, "文件系统是只读的"}, WriteErrorRow{ENOSPC, "磁盘已满"},
                      WriteErrorRow{EDQUOT, "超出磁盘配额"}, WriteErrorRow{EFBIG, "文件超出允许的大小"},
                      WriteErrorRow{EIO, "输入输出错误"}, WriteErrorRow{EXDEV, "系统错误 18"}));

}  // namespace
}  // namespace trivane
