// The Gmsh library as mesh and adapt load it: a machine without it, or with a
// file of its name that is not it, gets an error that names the file.
#include <gtest/gtest.h>

#include <string>

#include "cli/gmsh_library.h"
#include "model/errors.h"

namespace trivane {
namespace {

struct LoadRow {
  std::string fileName;
  std::string message;  // what the error begins with
};

TEST(GmshLibrary, AMissingOrForeignLibraryIsRefusedByName) {
  const LoadRow rows[] = {
      {"libgmsh-not-installed.so.0",
       "无法载入Gmsh库 libgmsh-not-installed.so.0，划分网格需要它：libgmsh-not-installed.so.0: cannot open shared "
       "object file"},
      {"libm.so.6", "Gmsh库 libm.so.6 中没有函数 gmshFree"},
  };
  for (const LoadRow& row : rows) {
    SCOPED_TRACE(row.fileName);
    try {
      cli::LoadGmshLibrary(row.fileName);
      ADD_FAILURE() << "loaded";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, row.message.size()), row.message);
    }
  }
}

}  // namespace
}  // namespace trivane
