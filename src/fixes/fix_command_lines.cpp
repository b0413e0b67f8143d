#include "fixes/fix_command_lines.h"

namespace velotune {

std::string ImportCommandLine(const std::string& programFolder, const std::string& script) {
  return "regedit.exe /s \"" + programFolder + script + "\"";
}

std::string BatchCommandLine(const std::string& programFolder, const std::string& batch) {
  return "cmd.exe /c \"" + programFolder + batch + "\"";
}

}  // namespace velotune
