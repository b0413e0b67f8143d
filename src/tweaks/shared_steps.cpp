#include "tweaks/shared_steps.h"

#include "platform/seams.h"
#include "tweaks/registry.h"

namespace velotune {

namespace {

constexpr char kTcpipInterfaces[] =
    "SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces";

// Fixed in the program, not discovered from the machine's adapters.
constexpr const char* kLatencyInterfaces[] = {
    "{08C4FB28-7EBB-4BFA-A99D-E217768BDEA3}", "{1AC1C3DD-9C4B-4689-8BDD-EFEBAF180DFE}",
    "{326DB1C6-3A48-457D-859F-6664192245C5}", "{3D9B245F-1C4B-4235-B0C9-5D50126E03DC}",
    "{87A2B5CA-8461-4F7F-A09E-47501CA8BFC2}", "{B453751D-6DC9-4A52-8A27-D3AC1DF10461}",
    "{B5EB850D-E81D-4794-8F57-3E3734E8C0AB}", "{BC544E73-77AE-4EFD-85CF-7EBF9CF83095}",
    "{C39824E9-6297-4BC0-9801-87272F29D52D}",
};

constexpr char kDownloadManager[] = "Software\\DownloadManager";

}  // namespace

std::string IconCachePath(const std::string& userName) {
  // The name comes from the network provider; one that is not a plain folder
  // name would make us delete a file somewhere else.
  if (userName.empty() || userName == "." || userName == "..") return "";
  if (userName.find_first_of("\\/:") != std::string::npos) return "";
  return "C:\\Users\\" + userName + "\\AppData\\Local\\IconCache.DB";
}

void ClearIconCache(const ControlStates& states) {
  const std::string path = IconCachePath(GetNetUserName());
  if (path.empty()) return;
  if (states.Checked("chkIC")) ActiveFiles().Delete(path);
}

std::string SpeedUpCommandLine(const std::string& scriptPath) {
  return "Regedit.exe /s \"" + scriptPath + "\"";
}

void SpeedUpScript(const std::vector<std::string>& lines) {
  Files& files = ActiveFiles();
  const std::string path = files.ProgramFolder() + "SpeedUp.reg";
  files.WriteLines(path, lines);
  RunProcess("", ActiveProcesses().ForSystemTools(SpeedUpCommandLine(path)), true);
  files.Delete(path);
}

void CleanFolderSettings() {
  DeleteRegKey(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU");
  DeleteRegKey(RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\ShellNoRoam\\Bags");
  WriteDwordUser("Software\\Microsoft\\Windows\\Shell", "BagMRU Size", 8000);
  WriteDwordUser("Software\\Microsoft\\Windows\\ShellNoRoam", "BagMRU Size", 8000);
}

void SpeedUpDownloadManager() {
  EnsureKey(RegistryRoot::CurrentUser, kDownloadManager);
  WriteDwordUser(kDownloadManager, "ConnectionType", 11);
  WriteDwordUser(kDownloadManager, "ConnectionSpeed", 10000000);
  WriteDwordUser(kDownloadManager, "MaxConnectionsNumber", 16);
}

void DecreaseLatency() {
  for (const char* id : kLatencyInterfaces) {
    const std::string key = std::string(kTcpipInterfaces) + "\\" + id;
    WriteDwordMachine(key, "TcpAckFrequency", 1);
    WriteDwordMachine(key, "TcpNoDelay", 1);
  }
}

}  // namespace velotune
