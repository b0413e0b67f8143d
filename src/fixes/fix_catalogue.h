// The FIX page's repairs as data: one row per check box, in the order the
// "FIX IT!" run tests them, each with the steps a tick performs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

enum class FixAction {
  kImport,              // regedit.exe /s on a script under the program folder
  kRunBatch,            // cmd.exe /c on a batch file under the program folder
  kCommand,             // a fixed command line, started as it is
  kImportChosen,        // the folder-options script chosen by a combo box's index
  kWriteDwordUser,      // DWORD under HKEY_CURRENT_USER (key created when missing)
  kEnsureClassesKey,    // creates a key under HKEY_CLASSES_ROOT
  kWriteStringClasses,  // string under HKEY_CLASSES_ROOT
  kDeleteUserValue,     // removes a value under HKEY_CURRENT_USER, key not created
};

struct FixStep {
  FixAction action;
  // Script or batch path, command line, registry key or combo box name.
  const char* target;
  const char* valueName;
  const char* text;
  std::int32_t dword;
};

struct FixRow {
  const char* control;
  std::vector<FixStep> steps;
};

// The rows in run order: System Tools, Explorer, File Associations, Services,
// Networking, Misc. The registry-editor repair is not a row: it runs always.
const std::vector<FixRow>& FixCatalogue();

// The folder-options scripts by the item index of cmbFO.
const std::vector<std::string>& FolderOptionsScripts();

// The 62 repair boxes in page order (the selection buttons' order), and the
// two that stay ticked and disabled for the life of the window.
const std::vector<std::string>& FixBoxes();
bool IsLockedFixBox(const std::string& control);

}  // namespace velotune
