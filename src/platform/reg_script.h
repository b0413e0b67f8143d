// The registry editor's script format ("REGEDIT4" and "Windows Registry
// Editor Version 5.00"): importing a script into any registry backend, as
// "regedit /s" does, and writing keys of the memory registry out as a script.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
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

// Applies the script. Unlike the registry editor, which skips what it cannot
// read, this raises RegScriptError at the first malformed line, so that a
// broken script is found by a test rather than half-imported. Text may be
// UTF-16LE with a byte-order mark; it is narrowed to single bytes. Keys that
// cannot be made and values that cannot be written raise too, unless
// `failures` is given: then each is noted there and the import goes on, as
// the registry editor's does.
void ImportRegScript(RegistryBackend& registry, const std::string& text,
                     std::vector<std::string>* failures = nullptr);

// The key and its sub-tree as a REGEDIT4 script (values and sub-keys in
// enumeration order); just the header when the key cannot be opened.
std::string ExportRegScript(RegistryBackend& registry, RegistryRoot root, const std::string& path);

}  // namespace velotune
