#include "cli/cli_arguments.h"

#include <algorithm>

#include "cli/described_controls.h"
#include "fixes/named_actions.h"

namespace velotune {

namespace {

const char kSeeHelp[] = " (velotune-cli --help lists the commands)";

bool IsOneOf(const std::string& word, const std::vector<std::string>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

std::string ActionNames() {
  std::string names;
  for (const NamedAction& action : NamedActions())
    names += (names.empty() ? "" : ", ") + std::string(action.name);
  return names;
}

bool AddSet(const std::string& assignment, CliArguments* parsed, std::string* error) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string::npos || equals == 0) {
    *error = "--set needs NAME=VALUE, not \"" + assignment + "\"";
    return false;
  }
  parsed->sets.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
  return true;
}

}  // namespace

bool ParseCliArguments(const std::vector<std::string>& args, CliArguments* parsed,
                       std::string* error) {
  *parsed = CliArguments();
  std::vector<std::string> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h" || arg == "/?" || arg == "help") {
      parsed->command = "help";
      return true;
    }
    if (arg == "--version") {
      parsed->command = "version";
      return true;
    }
    if (arg == "--json") {
      parsed->json = true;
    } else if (arg == "--set") {
      if (i + 1 == args.size() || args[i + 1].compare(0, 2, "--") == 0) {
        *error = "--set needs NAME=VALUE after it";
        return false;
      }
      if (!AddSet(args[++i], parsed, error)) return false;
    } else if (arg.compare(0, 6, "--set=") == 0) {
      if (!AddSet(arg.substr(6), parsed, error)) return false;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "Unknown option " + arg + kSeeHelp;
      return false;
    } else {
      words.push_back(arg);
    }
  }
  if (words.empty()) {
    *error = std::string("No command given") + kSeeHelp;
    return false;
  }
  const std::string command = words[0];
  words.erase(words.begin());
  parsed->command = command;
  auto tooMany = [&](std::size_t allowed) {
    if (words.size() <= allowed) return false;
    *error = "Unexpected argument " + words[allowed] + " after " + command + kSeeHelp;
    return true;
  };
  if (command == "list") {
    if (tooMany(1)) return false;
    if (!words.empty()) {
      if (!IsOneOf(words[0], DescribedControls::PageNames())) {
        *error = "Unknown page " + words[0] + ": give page1, page2, page3 or fix";
        return false;
      }
      parsed->page = words[0];
    }
  } else if (command == "plan" || command == "diff" || command == "apply") {
    if (words.empty()) {
      *error = command + " needs an action: " + ActionNames();
      return false;
    }
    if (tooMany(1)) return false;
    if (FindNamedAction(words[0]) == nullptr) {
      *error = "Unknown action " + words[0] + ": give one of " + ActionNames();
      return false;
    }
    parsed->action = words[0];
  } else if (command == "status" || command == "backups") {
    if (tooMany(0)) return false;
  } else if (command == "undo") {
    if (tooMany(1)) return false;
    if (!words.empty()) parsed->backup = words[0];
  } else {
    *error = "Unknown command " + command + kSeeHelp;
    return false;
  }
  const bool takesSets =
      command == "plan" || command == "diff" || command == "apply" || command == "status";
  if (!parsed->sets.empty() && !takesSets) {
    *error =
        "--set does not go with " + command + "; it sets controls for plan, diff, apply and status";
    return false;
  }
  return true;
}

}  // namespace velotune
