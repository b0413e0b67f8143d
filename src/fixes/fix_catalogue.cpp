#include "fixes/fix_catalogue.h"

namespace velotune {

namespace {

FixStep Import(const char* script) {
  return {FixAction::kImport, script, "", "", 0};
}
FixStep Batch(const char* file) {
  return {FixAction::kRunBatch, file, "", "", 0};
}
FixStep Command(const char* line) {
  return {FixAction::kCommand, line, "", "", 0};
}

constexpr char kTrayNotify[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify";
constexpr char kNewMenuKey[] = "Directory\\Background\\ShellEx\\ContextMenuHandlers\\New";

}  // namespace

const std::vector<FixRow>& FixCatalogue() {
  static const std::vector<FixRow> kRows = {
      // System Tools (chkDRE is the always-run registry-editor repair).
      {"chkSnip", {Import("FIXER\\SysTools\\w7-snippingtool-fix.fix")}},
      {"chkCmd", {Import("FIXER\\SysTools\\Enable_CMD.fix")}},
      {"chkDTM",
       {{FixAction::kWriteDwordUser,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "DisableTaskMgr", "",
         0}}},
      {"chkDevmgr", {Import("FIXER\\SysTools\\devmgr-snapin.fix")}},
      // Explorer.
      {"chkDClick", {Import("FIXER\\Explorer\\doubleclick.fix")}},
      {"chkDetailsTab", {Import("FIXER\\Explorer\\w7-details-tab.fix")}},
      {"chkRBIcons", {Import("FIXER\\Explorer\\rbemptyfull.fix")}},
      {"chkNew",
       {{FixAction::kEnsureClassesKey, "Directory\\Background", "", "", 0},
        {FixAction::kEnsureClassesKey, "Directory\\Background\\ShellEx", "", "", 0},
        {FixAction::kEnsureClassesKey, "Directory\\Background\\ShellEx\\ContextMenuHandlers", "",
         "", 0},
        {FixAction::kEnsureClassesKey, kNewMenuKey, "", "", 0},
        {FixAction::kWriteStringClasses, kNewMenuKey, "", "{D969A300-E7FF-11d0-A93B-00A0C90F2719}",
         0},
        Import("FIXER\\Explorer\\restorenewcontextmenu.fix")}},
      {"chkTray",
       {{FixAction::kDeleteUserValue, kTrayNotify, "IconStreams", "", 0},
        {FixAction::kDeleteUserValue, kTrayNotify, "PastIconStream", "", 0}}},
      {"chkMenuDelay", {Import("FIXER\\Explorer\\Default_MenuShowDelay.fix")}},
      {"chkFO", {{FixAction::kImportChosen, "cmbFO", "", "", 0}}},
      // File Associations (chkURL has no repair and is not tested).
      {"chkLibrary", {Import("FIXER\\FileAssoc\\w7-library-fix.fix")}},
      {"chkCDVD",
       {Import("FIXER\\FileAssoc\\w7-cddvd-asso_dvd.fix"),
        Import("FIXER\\FileAssoc\\w7-cddvd-asso_audiocd.fix")}},
      {"chkBAT", {Import("FIXER\\FileAssoc\\Default_BAT.fix")}},
      {"chkBMP", {Import("FIXER\\FileAssoc\\Default_BMP.fix")}},
      {"chkCPL", {Import("FIXER\\FileAssoc\\Default_CPL.fix")}},
      {"chkDLL", {Import("FIXER\\FileAssoc\\Default_DLL.fix")}},
      {"chkEXE", {Import("FIXER\\FileAssoc\\Default_EXE.fix")}},
      {"chkGIF", {Import("FIXER\\FileAssoc\\Default_GIF.fix")}},
      {"chkHTM", {Import("FIXER\\FileAssoc\\Default_HTM.fix")}},
      {"chkHTML", {Import("FIXER\\FileAssoc\\Default_HTML.fix")}},
      {"chkICO", {Import("FIXER\\FileAssoc\\Default_ICO.fix")}},
      {"chkINI", {Import("FIXER\\FileAssoc\\Default_INI.fix")}},
      {"chkINF", {Import("FIXER\\FileAssoc\\Default_INF.fix")}},
      {"chkJPE", {Import("FIXER\\FileAssoc\\Default_JPE.fix")}},
      {"chkJPEG", {Import("FIXER\\FileAssoc\\Default_JPEG.fix")}},
      {"chkJPG", {Import("FIXER\\FileAssoc\\Default_JPG.fix")}},
      {"chkJS", {Import("FIXER\\FileAssoc\\Default_JS.fix")}},
      {"chkJSE", {Import("FIXER\\FileAssoc\\Default_JSE.fix")}},
      {"chkLNK", {Import("FIXER\\FileAssoc\\Default_LNK.fix")}},
      {"chkLOG", {Import("FIXER\\FileAssoc\\Default_LOG.fix")}},
      {"chkMSC", {Import("FIXER\\FileAssoc\\Default_MSC.fix")}},
      {"chkMSI2", {Import("FIXER\\FileAssoc\\Default_MSI.fix")}},
      {"chkPNG", {Import("FIXER\\FileAssoc\\Default_PNG.fix")}},
      {"chkREG", {Import("FIXER\\FileAssoc\\Default_REG.fix")}},
      {"chkSCR", {Import("FIXER\\FileAssoc\\Default_SCR.fix")}},
      {"chkTXT", {Import("FIXER\\FileAssoc\\Default_TXT.fix")}},
      {"chkTTF", {Import("FIXER\\FileAssoc\\Default_TTF.fix")}},
      {"chkVBS", {Import("FIXER\\FileAssoc\\Default_VBS.fix")}},
      {"chkZIP", {Import("FIXER\\FileAssoc\\Default_ZIP.fix")}},
      {"chkDirectory", {Import("FIXER\\FileAssoc\\Default_Directory.fix")}},
      {"chkDrive", {Import("FIXER\\FileAssoc\\Default_Drive.fix")}},
      {"chkFolder", {Import("FIXER\\FileAssoc\\Default_Folder.fix")}},
      // Services.
      {"chkMSI1719", {Import("FIXER\\Services\\w7-msi1719-fix.fix")}},
      {"chkBFE", {Import("FIXER\\Services\\w7-bfe.fix")}},
      {"chkBITS", {Import("FIXER\\Services\\w7-bits.fix")}},
      {"chkSpooler", {Import("FIXER\\Services\\w7-spooler.fix")}},
      {"chkMpsdrv", {Import("FIXER\\Services\\w7-mpsdrv.fix")}},
      {"chkMpsSvc", {Import("FIXER\\Services\\w7-mpssvc.fix")}},
      {"chkMSI", {Import("FIXER\\Services\\w7-msiserver.fix")}},
      {"chkWindefend", {Import("FIXER\\Services\\windefend.fix")}},
      {"chkWSearch", {Import("FIXER\\Services\\w7-wsearch.fix")}},
      {"chkWscsvc", {Import("FIXER\\Services\\wscsvc.fix")}},
      // Networking.
      {"chkResetNet", {Batch("FIXER\\Networking\\ResetNetwork.bat")}},
      {"chkFlushDNS", {Batch("FIXER\\Networking\\FlushDNS.bat")}},
      // Misc.
      {"chkOW", {Import("FIXER\\Misc\\w7-openwith-error-fix.fix")}},
      {"chkMouseHiber", {Import("FIXER\\Misc\\disableSelectiveSuspend.fix")}},
      {"chkAWinDef", {Import("FIXER\\Misc\\w8-scanwithdefender.fix")}},
      {"chkCDDVDnr",
       {Import("FIXER\\Misc\\deletelowerfilters.fix"),
        Import("FIXER\\Misc\\deleteupperfilters.fix")}},
      {"chkPower", {Command("powercfg -restoredefaultschemes")}},
  };
  return kRows;
}

const std::vector<std::string>& FolderOptionsScripts() {
  static const std::vector<std::string> kScripts = {
      "FIXER\\Explorer\\FolderOptions_XP.fix",
      "FIXER\\Explorer\\FolderOptions_Vista.fix",
      "FIXER\\Explorer\\FolderOptions_7.fix",
      "FIXER\\Explorer\\FolderOptions_8.fix",
  };
  return kScripts;
}

const std::vector<std::string>& FixBoxes() {
  static const std::vector<std::string> kBoxes = {
      // Explorer
      "chkDClick",
      "chkRBIcons",
      "chkDetailsTab",
      "chkNew",
      "chkTray",
      "chkMenuDelay",
      "chkFO",
      // File Associations
      "chkLibrary",
      "chkCDVD",
      "chkBAT",
      "chkBMP",
      "chkCPL",
      "chkDLL",
      "chkEXE",
      "chkGIF",
      "chkHTM",
      "chkHTML",
      "chkICO",
      "chkINI",
      "chkINF",
      "chkJPE",
      "chkJPEG",
      "chkJPG",
      "chkJS",
      "chkJSE",
      "chkLNK",
      "chkLOG",
      "chkMSC",
      "chkMSI2",
      "chkPNG",
      "chkREG",
      "chkSCR",
      "chkTXT",
      "chkTTF",
      "chkURL",
      "chkVBS",
      "chkZIP",
      "chkDirectory",
      "chkDrive",
      "chkFolder",
      // Services
      "chkMSI1719",
      "chkBFE",
      "chkBITS",
      "chkSpooler",
      "chkMpsdrv",
      "chkMpsSvc",
      "chkMSI",
      "chkWindefend",
      "chkWSearch",
      "chkWscsvc",
      // System Tools
      "chkSnip",
      "chkCmd",
      "chkDRE",
      "chkDTM",
      "chkDevmgr",
      // Networking
      "chkResetNet",
      "chkFlushDNS",
      // Misc.
      "chkOW",
      "chkCDDVDnr",
      "chkMouseHiber",
      "chkAWinDef",
      "chkPower",
  };
  return kBoxes;
}

bool IsLockedFixBox(const std::string& control) {
  return control == "chkCmd" || control == "chkDRE";
}

}  // namespace velotune
