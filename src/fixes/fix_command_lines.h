// The command lines the repairs start: plain concatenation, with the program
// folder and script path enclosed in double quotes so blanks do no harm.
#pragma once

#include <string>

namespace velotune {

// "regedit.exe /s "<folder><script>""
std::string ImportCommandLine(const std::string& programFolder, const std::string& script);
// "cmd.exe /c "<folder><batch>""
std::string BatchCommandLine(const std::string& programFolder, const std::string& batch);

}  // namespace velotune
