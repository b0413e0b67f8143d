// Windows tests that build the real main window switch off the Donate dialog
// at start ("Zolex\\Support" value "01" = "0") and give the prefix its own
// choice back afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

class DonateChoice {
 public:
  DonateChoice() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Zolex\\Support", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
    char value[64] = {};
    DWORD size = sizeof value - 1;
    had_ = RegQueryValueExA(key_, "01", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
           ERROR_SUCCESS;
    old_ = value;
    RegSetValueExA(key_, "01", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  }
  ~DonateChoice() {
    if (had_)
      RegSetValueExA(key_, "01", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    else
      RegDeleteValueA(key_, "01");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  bool had_ = false;
  std::string old_;
};

}  // namespace velotune
