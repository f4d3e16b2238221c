#pragma once
// Runs the built trivane-cli and collects what it printed and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace trivane::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Built by appending: GCC 12 warns falsely about a literal + string + literal.
inline std::string TempPrefix() {
  std::string prefix = "trivane-";
  prefix.append(std::to_string(::getpid())).append("-");
  return prefix;
}

// A file of this test process under the temporary folder: test cases run in
// parallel processes, and other builds' tests may run beside them. They are
// removed when the process's tests end (temp_files.cpp).
inline std::string TempPath(const std::string& name) { return ::testing::TempDir() + TempPrefix() + name; }

// Runs in `folder` when one is given, otherwise where the test runs.
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& folder = "") {
  const std::string base = TempPath("run");
  std::string command = folder.empty() ? "" : "cd " + ShellQuoted(folder) + " && ";
  command.append(ShellQuoted(TRIVANE_CLI));
  for (const std::string& arg : args) command.append(" ").append(ShellQuoted(arg));
  command.append(" >").append(ShellQuoted(base + ".out"));
  command.append(" 2>").append(ShellQuoted(base + ".err")).append(" </dev/null");
  const int raw = std::system(command.c_str());
  CliResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = FileText(base + ".out");
  result.err = FileText(base + ".err");
  return result;
}

}  // namespace trivane::testing
