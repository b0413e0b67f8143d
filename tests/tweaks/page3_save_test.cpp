// Saving "Tweaks [&3]".
#include <algorithm>

#include "tweaks/page_actions.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

const std::string kSecurityCenter = "Software\\Microsoft\\Security Center";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string kDriveLetters = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";

Log ServiceStarts() {
  Log ops;
  const std::pair<const char*, int> services[] = {
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
  for (const auto& s : services) {
    ops.push_back(Dw("HKLM", std::string("SYSTEM\\CurrentControlSet\\Services\\") + s.first,
                     "Start", s.second));
  }
  return ops;
}

Log LatencyValues() {
  Log ops;
  for (const char* id :
       {"{08C4FB28-7EBB-4BFA-A99D-E217768BDEA3}", "{1AC1C3DD-9C4B-4689-8BDD-EFEBAF180DFE}",
        "{326DB1C6-3A48-457D-859F-6664192245C5}", "{3D9B245F-1C4B-4235-B0C9-5D50126E03DC}",
        "{87A2B5CA-8461-4F7F-A09E-47501CA8BFC2}", "{B453751D-6DC9-4A52-8A27-D3AC1DF10461}",
        "{B5EB850D-E81D-4794-8F57-3E3734E8C0AB}", "{BC544E73-77AE-4EFD-85CF-7EBF9CF83095}",
        "{C39824E9-6297-4BC0-9801-87272F29D52D}"}) {
    const std::string key =
        std::string("SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\") + id;
    ops.push_back(Dw("HKLM", key, "TcpAckFrequency", 1));
    ops.push_back(Dw("HKLM", key, "TcpNoDelay", 1));
  }
  return ops;
}

Log SecurityCenter(std::uint32_t value) {
  return {
      Dw("HKCU", kSecurityCenter, "AntiVirusDisableNotify", value),
      Dw("HKCU", kSecurityCenter, "FirewallDisableNotify", value),
      Dw("HKCU", kSecurityCenter, "AntiVirusOverride", value),
      Dw("HKCU", kSecurityCenter, "FirewallOverride", value),
  };
}

using Page3Save = TweakTest;

TEST_F(Page3Save, StartStatesWriteTheWholeCatalogueInOrder) {
  Save3Click(states);
  Log expected = SecurityCenter(1);
  Append(expected, {
                       Dw("HKLM", "SYSTEM\\CurrentControlSet\\Services\\wscsvc", "Start", 4),
                       Dw("HKLM", kDriveLetters, "ShowDriveLettersFirst", 0),
                       Dw("HKLM", kWinlogon, "LogonType", 1),
                       Del("HKLM", kWinlogon + "\\SpecialAccounts\\UserList", "Administrator"),
                   });
  Append(expected, ServiceStarts());
  Append(expected, LatencyValues());
  EXPECT_EQ(log, expected);
  EXPECT_EQ(ServiceStarts().size(), 22u);
  EXPECT_EQ(LatencyValues().size(), 18u);
}

TEST_F(Page3Save, RadioButtonsPickTheirValues) {
  struct Case {
    const char* selected;  // null: none of the four
    const char* logon;
    Log expected;
  };
  const Case cases[] = {
      {"D2",
       "ltWelcome",
       {Dw("HKLM", kDriveLetters, "ShowDriveLettersFirst", 4),
        Dw("HKLM", kWinlogon, "LogonType", 1)}},
      {"D3",
       "ltClassic",
       {Dw("HKLM", kDriveLetters, "ShowDriveLettersFirst", 1),
        Dw("HKLM", kWinlogon, "LogonType", 0)}},
      {"D4",
       "",
       {Dw("HKLM", kDriveLetters, "ShowDriveLettersFirst", 2),
        Dw("HKLM", kWinlogon, "LogonType", 0)}},
      {nullptr, "ltWelcome", {Dw("HKLM", kWinlogon, "LogonType", 1)}},
  };
  for (const Case& c : cases) {
    for (const char* radio : {"D1", "D2", "D3", "D4", "ltClassic", "ltWelcome"}) {
      states.checked[radio] = false;
    }
    if (c.selected) states.checked[c.selected] = true;
    if (*c.logon) states.checked[c.logon] = true;
    log.clear();
    Save3Click(states);
    const Log picked(log.begin() + 5, log.begin() + 5 + c.expected.size());
    EXPECT_EQ(picked, c.expected) << (c.selected ? c.selected : "none");
  }
}

TEST_F(Page3Save, UntickedBoxes) {
  for (const char* box : {"AVN", "FWN", "AVM", "FWM", "chkDSC", "chkEST", "chkLatency"}) {
    states.checked[box] = false;
  }
  states.checked["sAdmin"] = true;
  Save3Click(states);
  Log expected = SecurityCenter(0);
  Append(expected, {
                       Dw("HKLM", "SYSTEM\\CurrentControlSet\\Services\\wscsvc", "Start", 2),
                       Dw("HKLM", kDriveLetters, "ShowDriveLettersFirst", 0),
                       Dw("HKLM", kWinlogon, "LogonType", 1),
                       Dw("HKLM", kWinlogon + "\\SpecialAccounts\\UserList", "Administrator", 1),
                   });
  EXPECT_EQ(log, expected);
}

TEST_F(Page3Save, MissingServiceGetsAKeyWithOnlyItsStartValue) {
  Save3Click(states);
  const auto values =
      memory.Values(RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Alerter");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Start");
}

TEST_F(Page3Save, RefusedMachineHiveStopsAfterTheFourUserWrites) {
  memory.Deny(RegistryRoot::LocalMachine);
  try {
    Save3Click(states);
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Start'");
  }
  EXPECT_EQ(log, SecurityCenter(1));
}

}  // namespace
}  // namespace velotune
