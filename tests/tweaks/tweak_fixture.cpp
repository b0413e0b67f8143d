#include "tweaks/tweak_fixture.h"

#include "support/speedup_lines.h"

namespace velotune {

const Log& ToRegLines() {
  return ExpectedSpeedUpLines();
}

MapControlStates StartStates() {
  MapControlStates s;
  // Tweaks 1: every box checked but these.
  for (const char* box :
       {"CST",      "SB",        "SubFolder", "Prog",     "Fav",     "Doc",     "DocClearR",
        "DocNoR",   "SetFolder", "Taskbar",   "FindMenu", "Help",    "Run",     "LOff",
        "SD",       "Baloon",    "PDV",       "CW",       "DeskPro", "MC",      "MD",
        "RB",       "chkMT",     "chkST",     "chkIC",    "DPPage",  "ScrPage", "AppPage",
        "SettPage", "BackPage",  "ThemePage", "AET"}) {
    s.checked[box] = true;
  }
  for (const char* box : {"Admin", "LockTask", "NoTool", "NoTray", "DS", "MN", "IE", "MDL", "MCP",
                          "DSS", "DD", "NCC", "NSC", "NVSC"}) {
    s.checked[box] = false;
  }
  s.text["Manually"] = "1";
  s.text["OnExit"] = "1000";
  s.text["Service"] = "1000";
  // Tweaks 2.
  for (const char* box :
       {"P1Icon", "XFile",  "UPI",  "ER",   "CDR", "RISM", "AUD", "TGlom", "Heart", "NoHide",
        "ShD",    "DBSF",   "B16",  "BOp",  "MSD", "FRT",  "LA",  "EM",    "RRP",   "chkCFS",
        "SUMW",   "chkIDM", "AddP", "DelP", "CUR", "CURO", "LMR", "LMRO"}) {
    s.checked[box] = true;
  }
  for (const char* box : {"DRT", "DRC", "CDBurn", "NoCP", "NoSS", "NoWinKey", "Mes", "HST", "FO",
                          "SS", "TG", "TM", "NoCustom", "FileMenu", "HTab", "DSRB"}) {
    s.checked[box] = false;
  }
  s.itemIndex["SU"] = 0;
  s.position["GW"] = 5;
  s.position["MCI"] = 4096;
  s.position["TQ"] = 80;
  s.position["TS"] = 80;
  s.position["uatr"] = 5;
  s.position["uatc"] = 10;
  s.position["TB"] = 3500;
  s.text["atr"] = "5";
  s.text["atc"] = "10";
  std::string toReg;
  for (const std::string& line : ToRegLines()) toReg += line + "\r\n";
  s.text["ToReg"] = toReg;
  // Tweaks 3.
  for (const char* box :
       {"chkEST", "D1", "ltWelcome", "AVN", "FWN", "AVM", "FWM", "chkDSC", "chkLatency"}) {
    s.checked[box] = true;
  }
  for (const char* box : {"D2", "D3", "D4", "ltClassic", "sAdmin"}) s.checked[box] = false;
  return s;
}

const char* DeletablesScript() {
  return "REGEDIT4\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
         "\"DisablePersonalDirChange\"=dword:00000001\r\n"
         "\"DisableCurrentUserRun\"=dword:00000001\r\n"
         "\"DisableCurrentUserRunOnce\"=dword:00000001\r\n"
         "\"DisableLocalMachineRun\"=dword:00000001\r\n"
         "\"DisableLocalMachineRunOnce\"=dword:00000001\r\n"
         "\"NoRecycleFiles\"=dword:00000001\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0]\r\n"
         "\"MRUListEx\"=hex:00,00,00,00\r\n"
         "\r\n"
         "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\Bags\\1]\r\n"
         "\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\"
         "SpecialAccounts\\UserList]\r\n"
         "\"Administrator\"=dword:00000001\r\n"
         "\r\n"
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
         "RemoteComputer\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]\r\n"
         "@=\"Scheduled Tasks\"\r\n";
}

}  // namespace velotune
