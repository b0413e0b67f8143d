#include "platform/native_tools.h"

#include <algorithm>
#include <cctype>

namespace velotune {

namespace {

struct Program {
  std::string name;                // without the quotes
  std::string::size_type end = 0;  // where the arguments start
};

// The first token as CreateProcess reads it: up to the closing quote when it
// starts with one, else up to the first blank or tab.
Program ProgramOf(const std::string& commandLine) {
  Program program;
  if (!commandLine.empty() && commandLine[0] == '"') {
    std::string::size_type close = commandLine.find('"', 1);
    if (close == std::string::npos) close = commandLine.size();
    program.name = commandLine.substr(1, close - 1);
    program.end = close == commandLine.size() ? close : close + 1;
  } else {
    program.end = commandLine.find_first_of(" \t");
    if (program.end == std::string::npos) program.end = commandLine.size();
    program.name = commandLine.substr(0, program.end);
  }
  return program;
}

bool SameText(const std::string& a, const std::string& b) {
  auto same = [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

bool IsTool(const std::string& program, const char* tool) {
  return SameText(program, tool) || SameText(program, std::string(tool) + ".exe");
}

std::string InFolder(const std::string& folder, const std::string& file) {
  if (!folder.empty() && folder.back() == '\\') return folder + file;
  return folder + "\\" + file;
}

std::string Quoted(const std::string& path) {
  return path.find_first_of(" \t") == std::string::npos ? path : "\"" + path + "\"";
}

}  // namespace

std::string NativeToolCommandLine(const std::string& commandLine,
                                  const std::string& windowsFolder) {
  const Program program = ProgramOf(commandLine);
  std::string native;
  if (IsTool(program.name, "regedit")) {
    native = InFolder(windowsFolder, "regedit.exe");
  } else if (IsTool(program.name, "cmd")) {
    native = InFolder(windowsFolder, "Sysnative\\cmd.exe");
  } else {
    return commandLine;
  }
  return Quoted(native) + commandLine.substr(program.end);
}

bool StartsWindowsRegistryEditor(const std::string& commandLine, const std::string& windowsFolder) {
  return SameText(ProgramOf(commandLine).name, InFolder(windowsFolder, "regedit.exe"));
}

}  // namespace velotune
