// A FIX page in its start-up state over a memory registry, with processes and
// files recorded instead of started.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/seams.h"
#include "support/map_control_states.h"
#include "support/recording_seams.h"

namespace velotune {

// The 62 repair boxes as the page lays them out, written out here so the
// tests do not trust the catalogue's own list.
inline const std::vector<std::string>& PageBoxes() {
  static const std::vector<std::string> kBoxes = {
      "chkDClick",  "chkRBIcons",   "chkDetailsTab", "chkNew",    "chkTray",    "chkMenuDelay",
      "chkFO",      "chkLibrary",   "chkCDVD",       "chkBAT",    "chkBMP",     "chkCPL",
      "chkDLL",     "chkEXE",       "chkGIF",        "chkHTM",    "chkHTML",    "chkICO",
      "chkINI",     "chkINF",       "chkJPE",        "chkJPEG",   "chkJPG",     "chkJS",
      "chkJSE",     "chkLNK",       "chkLOG",        "chkMSC",    "chkMSI2",    "chkPNG",
      "chkREG",     "chkSCR",       "chkTXT",        "chkTTF",    "chkURL",     "chkVBS",
      "chkZIP",     "chkDirectory", "chkDrive",      "chkFolder", "chkMSI1719", "chkBFE",
      "chkBITS",    "chkSpooler",   "chkMpsdrv",     "chkMpsSvc", "chkMSI",     "chkWindefend",
      "chkWSearch", "chkWscsvc",    "chkSnip",       "chkCmd",    "chkDRE",     "chkDTM",
      "chkDevmgr",  "chkResetNet",  "chkFlushDNS",   "chkOW",     "chkCDDVDnr", "chkMouseHiber",
      "chkAWinDef", "chkPower",
  };
  return kBoxes;
}

// Records like the recorder, but the system refuses to start the listed
// command lines.
class RefusingProcesses : public RecordingProcesses {
 public:
  std::vector<std::string> refused;
  unsigned WinExec(const std::string& commandLine, int showCommand) override {
    RecordingProcesses::WinExec(commandLine, showCommand);
    for (const std::string& r : refused)
      if (r == commandLine) return 2;  // ERROR_FILE_NOT_FOUND
    return 33;
  }
};

class FixPageTest : public ::testing::Test {
 protected:
  FixPageTest() : seams_(&registry_, &processes_, &files_) {
    for (const std::string& box : PageBoxes()) page_.checked[box] = false;
    page_.checked["chkCmd"] = page_.checked["chkDRE"] = true;
    page_.disabled = {"chkCmd", "chkDRE"};
    page_.checked["chkExpFrame"] = false;
    page_.itemIndex["cmbFO"] = 2;
  }

  // The registry editor's command line for a script under FIXER.
  std::string Import(const std::string& script) const {
    return "regedit.exe /s \"" + files_.folder + "FIXER\\" + script + "\"";
  }
  std::string Batch(const std::string& file) const {
    return "cmd.exe /c \"" + files_.folder + "FIXER\\" + file + "\"";
  }

  std::vector<std::string> TickedBoxes() const {
    std::vector<std::string> ticked;
    for (const auto& [name, on] : page_.checked)
      if (on) ticked.push_back(name);
    return ticked;
  }

  MemoryRegistry registry_;
  RefusingProcesses processes_;
  RecordingFiles files_;
  ScopedSeams seams_;
  MapControlStates page_;
};

}  // namespace velotune
