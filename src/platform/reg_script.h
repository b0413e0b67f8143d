// The registry editor's script format ("REGEDIT4" and "Windows Registry
// Editor Version 5.00"): reading a script and importing it into any registry
// backend, as "regedit /s" does, and writing keys out as a script in the
// format the system's own editor writes today (version 5, UTF-16LE with a
// byte-order mark).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry_backend.h"

namespace velotune {

class RegScriptError : public std::runtime_error {
 public:
  RegScriptError(int line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// One line of a script that does something.
struct ScriptEntry {
  enum class Kind { kKey, kDeleteKey, kValue, kDeleteValue };
  Kind kind = Kind::kKey;
  int line = 0;
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;  // kKey, kDeleteKey
  std::string name;  // kValue, kDeleteValue
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct RegScript {
  bool unicode = false;  // version 5; REGEDIT4 text is in the system's ANSI code page
  bool closed = false;   // ends with kBackupEndLine
  std::vector<ScriptEntry> entries;
};

// The comment line that ends every backup: the registry editor passes over
// it, and a backup without it was cut short.
extern const char kBackupEndLine[];

// Reads the whole script; raises RegScriptError at the first malformed line
// (so that nothing is half-imported). Strict reading, for backups, also
// refuses a key line naming a root alone, a hex byte that is not two digits
// and a hex line continued past the end. A key deletion naming a root alone
// is refused always.
RegScript ParseRegScript(const std::string& text, bool strict = false);

// Applies a script read before. Keys that cannot be made and values that
// cannot be written raise RegScriptError, unless `failures` is given: then
// each is noted there and the import goes on, as the registry editor's does.
void ApplyRegScript(RegistryBackend& registry, const RegScript& script,
                    std::vector<std::string>* failures = nullptr);

// Both in one, for the scripts the actions import.
void ImportRegScript(RegistryBackend& registry, const std::string& text,
                     std::vector<std::string>* failures = nullptr);

// A version-5 script file of the lines (after its header): UTF-16LE with a
// byte-order mark, CR LF line ends; with `closed`, kBackupEndLine last.
std::string Version5Script(const std::vector<std::string>& lines, bool closed);

// The key and its sub-tree as a version-5 script file (values and sub-keys
// in enumeration order); just the header when the key cannot be opened.
std::string ExportRegScript(RegistryBackend& registry, RegistryRoot root, const std::string& path);

}  // namespace velotune
