// velotune-cli's commands over whatever registry, files and processes it is
// given: the program passes the real ones, tests pass memory ones.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/processes.h"
#include "platform/registry_backend.h"

namespace velotune {

// Exit codes, as --help and the README document them.
namespace cli_exit {
constexpr int kOk = 0;
constexpr int kNotAsPlanned = 1;  // apply/undo: a value did not hold; status: a control differs
constexpr int kBadArguments = 2;  // nothing was read or changed
constexpr int kActionFailed = 3;  // the action failed (or would fail), or nothing to undo
constexpr int kNoBackup = 4;      // the backup could not be written; nothing was changed
constexpr int kNotElevated = 5;   // apply/undo need administrator rights; nothing was changed
}  // namespace cli_exit

struct CliEnvironment {
  RegistryBackend& registry;
  Files& files;
  Processes& processes;
  std::string formDescription;  // the main window's form description, as the window loads it
  std::function<LocalTime()> now;
};

struct CliResult {
  int exitCode = cli_exit::kOk;
  std::string out;  // for standard output
  std::string err;  // for standard error
};

// Runs one command line (the arguments after the program's name).
CliResult RunCli(const std::vector<std::string>& args, CliEnvironment& env);

// The text of --help.
std::string CliUsage();

}  // namespace velotune
