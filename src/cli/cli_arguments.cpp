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

// The word after an option that needs one ("--out DIR"), or "--out=DIR".
bool OptionValue(const std::vector<std::string>& args, std::size_t* i, const std::string& option,
                 const std::string& wanted, std::string* value, std::string* error) {
  const std::string& arg = args[*i];
  if (arg.compare(0, option.size() + 1, option + "=") == 0) {
    *value = arg.substr(option.size() + 1);
  } else if (*i + 1 < args.size() && args[*i + 1].compare(0, 2, "--") != 0) {
    *value = args[++*i];
  } else {
    value->clear();
  }
  if (value->empty()) *error = option + " needs " + wanted + " after it";
  return !value->empty();
}

bool IsOption(const std::string& arg, const std::string& option) {
  return arg == option || arg.compare(0, option.size() + 1, option + "=") == 0;
}

const char kFormats[] = "pol, reg or json";

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
    } else if (IsOption(arg, "--format")) {
      if (!OptionValue(args, &i, "--format", kFormats, &parsed->format, error)) return false;
    } else if (IsOption(arg, "--out")) {
      if (!OptionValue(args, &i, "--out", "the folder to write to", &parsed->out, error))
        return false;
    } else if (arg == "--force") {
      parsed->force = true;
    } else if (arg == "--trust") {
      parsed->trust = true;
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
  } else if (command == "plan" || command == "diff" || command == "apply" || command == "export") {
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
  } else if (command == "status") {
    if (tooMany(1)) return false;
    if (!words.empty() && FindNamedAction(words[0]) == nullptr) {
      *error = "Unknown action " + words[0] + ": give one of " + ActionNames();
      return false;
    }
    if (!words.empty()) parsed->action = words[0];
  } else if (command == "backups") {
    if (tooMany(0)) return false;
  } else if (command == "undo") {
    if (tooMany(1)) return false;
    if (!words.empty()) parsed->backup = words[0];
    if (parsed->trust && parsed->backup.find_first_of("\\/") == std::string::npos) {
      *error = "--trust needs the backup named by its path (undo \"C:\\...\\x.reg\" --trust)";
      return false;
    }
  } else {
    *error = "Unknown command " + command + kSeeHelp;
    return false;
  }
  if (parsed->trust && command != "undo") {
    *error = "--trust goes only with undo";
    return false;
  }
  const bool takesSets = command == "plan" || command == "diff" || command == "apply" ||
                         command == "status" || command == "export";
  if (!parsed->sets.empty() && !takesSets) {
    *error = "--set does not go with " + command +
             "; it sets controls for plan, diff, apply, export and status";
    return false;
  }
  if (command != "export") {
    if (parsed->format.empty() && parsed->out.empty() && !parsed->force) return true;
    *error = "--format, --out and --force go only with export";
    return false;
  }
  if (parsed->format.empty()) {
    *error = std::string("export needs --format ") + kFormats;
    return false;
  }
  if (!IsOneOf(parsed->format, {"pol", "reg", "json"})) {
    *error = "Unknown format " + parsed->format + ": give " + kFormats;
    return false;
  }
  if (parsed->out.empty()) {
    *error = "export needs --out and the folder to write to";
    return false;
  }
  return true;
}

}  // namespace velotune
