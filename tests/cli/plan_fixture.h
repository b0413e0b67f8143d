// A memory registry that already holds what the actions overwrite and
// delete (values of every type, keys with sub-keys), files that include the
// real FIXER scripts, and processes whose registry editor really imports its
// script: the window's actions run here for real, or as plans.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/described_controls.h"
#include "fixes/named_actions.h"
#include "platform/memory_registry.h"
#include "platform/reg_script.h"
#include "platform/registry_values.h"
#include "platform/seams.h"
#include "support/recording_seams.h"
#include "tweaks/action_plan.h"
#include "tweaks/registry.h"

namespace velotune {

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The state of the whole registry as text: keys in enumeration order,
// values by name, so that two registries compare whatever order their values
// were written in.
inline void DumpKey(RegistryBackend& registry, RegistryRoot root, const std::string& path,
                    std::string* out) {
  RegKey key = 0;
  if (registry.OpenKeyEx(RootKey(root), path, kKeyRead, &key) != regerr::kSuccess) return;
  std::vector<RegValue> values = ReadValues(registry, key);
  std::vector<std::string> children = ReadSubKeyNames(registry, key);
  registry.CloseKey(key);
  std::sort(values.begin(), values.end(), [](const RegValue& a, const RegValue& b) {
    return FoldName(a.name) < FoldName(b.name);
  });
  *out += "[" + FullKeyName(root, path) + "]\n";
  for (const RegValue& v : values) *out += "  " + v.name + "=" + ScriptData(v) + "\n";
  for (const std::string& child : children) DumpKey(registry, root, JoinKeyPath(path, child), out);
}

inline std::string Dump(RegistryBackend& registry) {
  std::string out;
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                            RegistryRoot::LocalMachine, RegistryRoot::Users})
    DumpKey(registry, root, "", &out);
  return out;
}

// What the actions overwrite, delete or leave beside their keys, in every
// value type the registry has.
inline const char* SeedScript() {
  return "REGEDIT4\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
         "\"DisableCurrentUserRun\"=dword:00000001\r\n"
         "\"NoRecycleFiles\"=hex(b):01,00,00,00,00,00,00,00\r\n"
         "\"NoRun\"=\"text where a number goes\"\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
         "\"MenuShowDelay\"=hex(2):25,44,45,4c,41,59,25,00\r\n"
         "\"Untouched\"=hex(7):61,00,62,00,00\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\r\n"
         "\"SmoothMouseXCurve\"=hex:01,02,03\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU]\r\n"
         "@=\"default\"\r\n"
         "\"NodeSlots\"=hex:02,02,02\r\n"
         "\"Nothing\"=hex(0):\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0]\r\n"
         "\"MRUListEx\"=hex:00,00,00,00,ff,ff,ff,ff\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0\\1]\r\n"
         "\"Line\"=hex(1):61,0d,0a,62,00\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\Bags\\1\\Shell]\r\n"
         "\"Mode\"=dword:00000004\r\n"
         "\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\"
         "SpecialAccounts\\UserList]\r\n"
         "\"Administrator\"=dword:00000000\r\n"
         "\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
         "RemoteComputer\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]\r\n"
         "@=\"Scheduled Tasks\"\r\n"
         "\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
         "RemoteComputer\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\Extra]\r\n"
         "\"Q\"=hex(b):ff,ff,ff,ff,ff,ff,ff,ff\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\"
         ".bat\\UserChoice]\r\n"
         "\"Progid\"=\"Unwanted\"\r\n"
         "\r\n"
         "[HKEY_CLASSES_ROOT\\batfile\\shell\\open\\command]\r\n"
         "@=hex(2):6e,6f,74,65,70,61,64,00\r\n";
}

// Files in memory, with the FIXER folder read from the sources.
class PlanFiles : public RecordingFiles {
 public:
  PlanFiles() {
    folder = "C:\\Velotune\\";
    for (const char* script :
         {"SysTools\\Enable_CMD.fix", "SysTools\\w7-snippingtool-fix.fix",
          "SysTools\\devmgr-snapin.fix", "Explorer\\restorenewcontextmenu.fix",
          "Explorer\\FolderOptions_7.fix", "Explorer\\FolderOptions_XP.fix",
          "FileAssoc\\Default_BAT.fix", "FileAssoc\\Default_TXT.fix", "Services\\w7-bfe.fix",
          "Misc\\deletelowerfilters.fix", "Networking\\FlushDNS.bat"}) {
      std::string path = std::string(VELOTUNE_FIXER_DIR) + "/" + script;
      std::replace(path.begin(), path.end(), '\\', '/');
      std::string text = ReadTextFile(path);
      EXPECT_FALSE(text.empty()) << path;
      std::vector<std::string>& lines = files[folder + "FIXER\\" + script];
      std::istringstream in(text);
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
      }
    }
    files["C:\\Users\\Tester\\AppData\\Local\\IconCache.DB"] = {"cache"};
  }
};

// The registry editor imports its script into the active registry, as
// "regedit /s" would; other processes only leave their command lines.
class ImportingProcesses : public RecordingProcesses {
 public:
  explicit ImportingProcesses(Files& files) : files_(files) {}
  void RunProcess(const std::string& application, const std::string& commandLine,
                  bool wait) override {
    RecordingProcesses::RunProcess(application, commandLine, wait);
    Import(commandLine);
  }
  unsigned WinExec(const std::string& commandLine, int show) override {
    unsigned result = RecordingProcesses::WinExec(commandLine, show);
    Import(commandLine);
    return result;
  }

 private:
  void Import(const std::string& commandLine) {
    std::string script, text;
    if (ImportedScript(commandLine, &script) && files_.ReadAll(script, &text))
      ImportRegScript(ActiveRegistry(), text);
  }
  Files& files_;
};

// The window's controls as its description starts them.
inline DescribedControls StartControls() {
  return DescribedControls(ReadTextFile(VELOTUNE_MAIN_FORM));
}

class PlanTest : public ::testing::Test {
 protected:
  PlanTest() : processes(files), seams(&live, &processes, &files) {
    ImportRegScript(live, SeedScript());
  }
  ~PlanTest() override { SharedRegistry().CloseKey(); }

  // The action as the window runs it, on the live registry.
  std::string RunForReal(const NamedAction& action, DescribedControls controls) {
    try {
      action.run(controls);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  }
  // Its plan over the live registry.
  std::unique_ptr<ActionPlan> Plan(const NamedAction& action, DescribedControls controls) {
    auto plan = std::make_unique<ActionPlan>(live, files, processes);
    plan->Run([&] { action.run(controls); });
    return plan;
  }

  MemoryRegistry live;
  PlanFiles files;
  ImportingProcesses processes;
  ScopedSeams seams;
};

// velotune-cli over the fixture, its clock a millisecond on at each look.
class CliTest : public PlanTest {
 protected:
  CliResult Run(const std::vector<std::string>& args) { return Run(live, args); }
  CliResult Run(RegistryBackend& registry, const std::vector<std::string>& args) {
    CliEnvironment env{registry, files, processes, ReadTextFile(VELOTUNE_MAIN_FORM),
                       [this] { return LocalTime{2014, 6, 1, 13, 45, 12, ++milliseconds_}; }};
    return RunCli(args, env);
  }

 private:
  int milliseconds_ = 0;
};

}  // namespace velotune
