// Reads and prepares the real registry of the Wine prefix that the program
// under test writes to, in the view 64-bit Windows reads (see SystemView).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

struct ProbedValue {
  bool found = false;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  // "dword:N", "\"text\"", "hex(T):aa,bb" or "missing": one form for messages.
  std::string Show() const;
};

ProbedValue ReadValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
void DeleteTree(HKEY root, const std::string& key);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);
void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text);
void CreateKey(HKEY root, const std::string& key);

// Expected forms for comparison with ProbedValue::Show().
std::string DwordText(DWORD value);
std::string StringText(const std::string& text);
std::string HexText(DWORD type, const std::vector<std::uint8_t>& bytes);

}  // namespace velotune
