// velotune-cli.exe: the Win32 registry, files and processes, the main form's
// description from the resources, and the command's output on the console.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/console_text.h"
#include "platform/errors.h"
#include "platform/seams.h"
#include "platform/win32_registry.h"
#include "platform/win32_system.h"

namespace velotune {
namespace {

// The window fires repairs off and forgets them; the command line waits for
// each, so that reading back finds what they wrote.
class WaitingProcesses : public Win32Processes {
 public:
  unsigned WinExec(const std::string& commandLine, int) override {
    try {
      RunProcess("", commandLine, true);
    } catch (const EOSError& e) {
      // Below 32, as WinExec reports a program it could not start.
      return e.ErrorCode() < 32 ? static_cast<unsigned>(e.ErrorCode()) : 31;
    }
    return 33;
  }
};

std::string FormDescription() {
  HRSRC resource = FindResourceA(nullptr, "MAIN_DFM", MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return data ? std::string(data, SizeofResource(nullptr, resource)) : std::string();
}

}  // namespace
}  // namespace velotune

int main() {
  using namespace velotune;
  Win32Registry registry;
  WaitingProcesses processes;
  Win32Files files;
  CliEnvironment env{registry, files, processes, FormDescription(), [] { return LocalTimeNow(); }};
  const CliResult result = RunCli(UnicodeArguments(), env);
  WriteText(stdout, result.out);
  WriteText(stderr, result.err);
  return result.exitCode;
}
