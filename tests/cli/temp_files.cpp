// Removes the files a test process made under the temporary folder once all
// its tests have run.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"

namespace trivane::testing {
namespace {

class TempFiles : public ::testing::Environment {
 public:
  void TearDown() override {
    const std::string prefix = TempPrefix();
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir(), ignored)) {
      if (entry.path().filename().string().starts_with(prefix)) std::filesystem::remove_all(entry.path(), ignored);
    }
  }
};

[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new TempFiles);

}  // namespace
}  // namespace trivane::testing
