// The 21 lines of the main window's hidden ToReg rich edit: the registry
// script the page-2 save and GREEN Boost write as SpeedUp.reg. Kept once for
// the tests that check the form and the tests that run the saves.
#pragma once

#include <string>
#include <vector>

namespace velotune {

inline const std::vector<std::string>& ExpectedSpeedUpLines() {
  static const std::vector<std::string> lines = {
      "REGEDIT4",
      "",
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer]",
      "\"Start\"=hex:04,00,00,00",
      "",
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory "
      "Management\\PrefetchParameters]",
      "\"EnablePrefetcher\"=dword:00000000",
      "",
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer]",
      "\"AlwaysUnloadDll\"=\"1\"",
      "",
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]",
      "\"MenuShowDelay\"=\"0\"",
      "",
      "[HKEY_CURRENT_USER\\Control Panel\\Mouse]",
      "\"SmoothMouseXCurve\"=hex:00,00,00,00,00,00,00,00,00,a0,00,00,00,00,00,00,00,40,\\",
      "01,00,00,00,00,00,00,80,02,00,00,00,00,00,00,00,05,00,00,00,00,00",
      "\"SmoothMouseYCurve\"=hex:00,00,00,00,00,00,00,00,66,a6,02,00,00,00,00,00,cd,4c,\\",
      "05,00,00,00,00,00,a0,99,0a,00,00,00,00,00,38,33,15,00,00,00,00,00",
      "",
      "[-HKEY_LOCAL_"
      "MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\"
      "NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]",
  };
  return lines;
}

}  // namespace velotune
