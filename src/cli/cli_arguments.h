// The command line's arguments, checked before anything is read or changed.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velotune {

struct CliArguments {
  std::string command;  // "list", "plan", "diff", "status", "apply", "export", "backups", "undo",
                        // "help", "version"
  std::string page;     // list: one page, or empty for all
  std::string action;   // plan, diff, apply, export; status: one action, or empty for the pages
  std::string backup;   // undo: the backup's file name or path, or empty for the newest
  bool trust = false;   // undo: a file named by its path may write machine-wide keys
  std::vector<std::pair<std::string, std::string>> sets;  // --set NAME=VALUE, in order
  bool json = false;
  std::string format;  // export: "pol", "reg" or "json"
  std::string out;     // export: the folder to write to
  bool force = false;  // export: into a folder that holds something already
};

// False, with a message saying what is wrong, for arguments that do not make
// a command.
bool ParseCliArguments(const std::vector<std::string>& args, CliArguments* parsed,
                       std::string* error);

}  // namespace velotune
