// Tweaks page 3: Security Center, drive letters, logon, service start modes
// and network latency.
#include <string>
#include <vector>

#include "tweaks/page_catalogues.h"
#include "tweaks/registry.h"
#include "tweaks/shared_steps.h"

namespace velotune {

namespace {

constexpr char kSecurityCenter[] = "Software\\Microsoft\\Security Center";
constexpr char kServices[] = "SYSTEM\\CurrentControlSet\\Services";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Service start types: 3 manual (demand) start, 4 disabled.
struct ServiceTweak {
  const char* service;
  std::int32_t start;
};
constexpr ServiceTweak kServiceTweaks[] = {
    {"clr_optimization_v2.0.50727_32", 3},
    {"Alerter", 3},
    {"AppMgmt", 3},
    {"aspnet_state", 3},
    {"SwPrv", 3},
    {"Netlogon", 3},
    {"mnmsrvc", 3},
    {"NetDDE", 3},
    {"NetDDEdsdm", 3},
    {"xmlprov", 3},
    {"SysmonLog", 3},
    {"RSVP", 3},
    {"RDSessMgr", 3},
    {"NtmsSvc", 3},
    {"RemoteAccess", 3},
    {"VSS", 3},
    {"WebClient", 3},
    {"helpsvc", 3},
    {"HidServ", 3},
    {"RemoteRegistry", 4},
    {"ERSvc", 4},
    {"SSDPSRV", 4},
};

// The radio buttons in test order and the value each selects; the values do
// not follow the buttons' order.
struct DriveLetterChoice {
  const char* control;
  std::int32_t value;
};
constexpr DriveLetterChoice kDriveLetterChoices[] = {{"D1", 0}, {"D2", 4}, {"D3", 1}, {"D4", 2}};

Row SecurityCenterFlag(const char* control, const char* name) {
  return Check(control, kSecurityCenter, name, Dword(Op::kDwordUser, 1), Dword(Op::kDwordUser, 0));
}

void DriveLetters(const ControlStates& states) {
  for (const DriveLetterChoice& choice : kDriveLetterChoices) {
    if (states.Checked(choice.control)) {
      WriteDwordMachine("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                        "ShowDriveLettersFirst", choice.value);
      return;
    }
  }
}

void ServiceStartModes(const ControlStates& states) {
  if (!states.Checked("chkEST")) return;
  for (const ServiceTweak& tweak : kServiceTweaks) {
    WriteDwordMachine(std::string(kServices) + "\\" + tweak.service, "Start", tweak.start);
  }
}

std::vector<Row> BuildRows() {
  std::vector<Row> rows;
  rows.push_back(SecurityCenterFlag("AVN", "AntiVirusDisableNotify"));
  rows.push_back(SecurityCenterFlag("FWN", "FirewallDisableNotify"));
  rows.push_back(SecurityCenterFlag("AVM", "AntiVirusOverride"));
  rows.push_back(SecurityCenterFlag("FWM", "FirewallOverride"));
  // Unticked turns the Security Center service back to automatic start.
  rows.push_back(Check("chkDSC", "SYSTEM\\CurrentControlSet\\Services\\wscsvc", "Start",
                       Dword(Op::kDwordMachine, 4), Dword(Op::kDwordMachine, 2)));
  rows.push_back(Custom("D1", DriveLetters));
  // Classic logon is simply "not the Welcome screen".
  rows.push_back(Check("ltWelcome", kWinlogon, "LogonType", Dword(Op::kDwordMachine, 1),
                       Dword(Op::kDwordMachine, 0)));
  rows.push_back(Check("sAdmin", std::string(kWinlogon) + "\\SpecialAccounts\\UserList",
                       "Administrator", Dword(Op::kDwordMachine, 1), Delete(Op::kDeleteMachine)));
  rows.push_back(Custom("chkEST", ServiceStartModes));
  rows.push_back(LatencyRow());
  return rows;
}

}  // namespace

Row LatencyRow() {
  Row row = Custom("chkLatency", [](const ControlStates& states) {
    if (states.Checked("chkLatency")) DecreaseLatency();
  });
  row.machineSpecific =
      "the per-network-interface values name this machine's interface identifiers, which differ "
      "on every machine";
  return row;
}

const std::vector<Row>& Page3Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

}  // namespace velotune
