#include "tweaks/speedup_script.h"

namespace velotune {

const std::vector<std::string>& SpeedUpScriptLines() {
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
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer"
      "\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]",
  };
  return lines;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace velotune
