#pragma once
// Running the built ranchbook-cli (or a script) the way a shell user does,
// keeping its standard output and its messages apart.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/farm_fixtures.h"

namespace rb::testing {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a shell command line; its standard error is read from a file.
inline CliRun runShellLine(const std::string& command) {
  const std::string errPath = temporaryPath("cli-run-stderr.txt");
  CliRun run;
  FILE* pipe = ::popen((command + " 2>'" + errPath + "'").c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer{};
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), count);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = readFile(errPath);
  return run;
}

// Runs ranchbook-cli with arguments that are already shell-quoted.
inline CliRun runCliLine(const std::string& arguments) {
  return runShellLine(std::string("'") + RB_CLI_PATH + "' " + arguments);
}

}  // namespace rb::testing
