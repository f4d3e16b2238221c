// Process start of trivane-cli beside an empty program built the same way:
// `info` on a small model, which must not load the Gmsh library, and `mesh`
// of a small geometry, which loads it. Each figure is the best of 40 whole
// processes, spawn to exit, taken in turns so that all see the same machine;
// the best is the run least disturbed by whatever else the machine is doing.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int Runs = 40;

// One whole process, its output thrown away; a process that fails ends the
// benchmark, since its time would mean nothing.
double ProcessSeconds(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 0;
  const bool ran = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&quiet);
  if (!ran) {
    std::fprintf(stderr, "failed: %s\n", command[0].c_str());
    std::exit(1);
  }
  return seconds;
}

}  // namespace

int main() {
  const std::string source = TRIVANE_SOURCE_DIR;
  const std::string mesh = "/tmp/trivane-startup-bench.msh";
  const std::vector<std::vector<std::string>> commands{
      {EMPTY_PROGRAM},
      {TRIVANE_CLI, "info", source + "/examples/cantilever.trv"},
      {TRIVANE_CLI, "mesh", source + "/tests/data/gmsh/square.geo", "-o", mesh},
  };
  std::vector<double> best(commands.size(), 1e9);
  for (int run = 0; run < Runs; ++run)
    for (std::size_t k = 0; k < commands.size(); ++k) best[k] = std::min(best[k], ProcessSeconds(commands[k]));
  std::remove(mesh.c_str());

  std::printf("process start, best of %d, spawn to exit:\n", Runs);
  std::printf("  empty program                  %7.1f ms\n", best[0] * 1e3);
  std::printf("  trivane-cli info cantilever    %7.1f ms   ratio %.1f\n", best[1] * 1e3, best[1] / best[0]);
  std::printf("  trivane-cli mesh square.geo    %7.1f ms   ratio %.1f\n", best[2] * 1e3, best[2] / best[0]);
  return 0;
}
