// Programs that start the real main window switch off the Donate dialog at
// start ("Zolex\\Support" value "01" = "0") and give the prefix its own
// choice back afterwards, even when a test removed the program's keys on the
// way.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

class DonateChoice {
 public:
  DonateChoice() {
    had_ = Read(&old_);
    Write("0");
  }
  ~DonateChoice() {
    if (had_) {
      Write(old_);
    } else {
      HKEY key;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
      RegDeleteValueA(key, kValue);
      RegCloseKey(key);
    }
  }
  DonateChoice(const DonateChoice&) = delete;
  DonateChoice& operator=(const DonateChoice&) = delete;

 private:
  static constexpr const char* kKey = "Zolex\\Support";
  static constexpr const char* kValue = "01";

  static bool Read(std::string* text) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    char value[256] = {};
    DWORD size = sizeof value - 1, type = 0;
    const bool found = RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                        &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    RegCloseKey(key);
    *text = value;
    return found;
  }
  static void Write(const std::string& text) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
  }

  bool had_ = false;
  std::string old_;
};

}  // namespace velotune
