// The main window's description holds every control the page saves, the FIX
// run and the window's own handlers read, of the class they expect, in the
// group they belong to, starting in the documented state.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "form_files.h"

namespace velotune {
namespace {

struct Control {
  const char* name;
  const char* className;
  const char* parent;
};

// Tweaks page 1, by group box.
const Control kPage1[] = {
    {"StartGroup", "TGroupBox", "Panel3"},    {"DesktopGroup", "TGroupBox", "Panel3"},
    {"DispGroup", "TGroupBox", "Panel3"},     {"HungGroup", "TGroupBox", "Panel3"},
    {"CST", "TCheckBox", "StartGroup"},       {"SB", "TCheckBox", "StartGroup"},
    {"SubFolder", "TCheckBox", "StartGroup"}, {"Prog", "TCheckBox", "StartGroup"},
    {"Fav", "TCheckBox", "StartGroup"},       {"Doc", "TCheckBox", "StartGroup"},
    {"DocClearR", "TCheckBox", "StartGroup"}, {"DocNoR", "TCheckBox", "StartGroup"},
    {"SetFolder", "TCheckBox", "StartGroup"}, {"Taskbar", "TCheckBox", "StartGroup"},
    {"FindMenu", "TCheckBox", "StartGroup"},  {"Help", "TCheckBox", "StartGroup"},
    {"Run", "TCheckBox", "StartGroup"},       {"LOff", "TCheckBox", "StartGroup"},
    {"SD", "TCheckBox", "StartGroup"},        {"Admin", "TCheckBox", "StartGroup"},
    {"LockTask", "TCheckBox", "StartGroup"},  {"NoTool", "TCheckBox", "StartGroup"},
    {"NoTray", "TCheckBox", "StartGroup"},    {"DS", "TCheckBox", "StartGroup"},
    {"Baloon", "TCheckBox", "StartGroup"},    {"PDV", "TCheckBox", "DesktopGroup"},
    {"MDL", "TCheckBox", "DesktopGroup"},     {"MCP", "TCheckBox", "DesktopGroup"},
    {"DSS", "TCheckBox", "DesktopGroup"},     {"CW", "TCheckBox", "DesktopGroup"},
    {"DeskPro", "TCheckBox", "DesktopGroup"}, {"DD", "TCheckBox", "DesktopGroup"},
    {"MC", "TCheckBox", "DesktopGroup"},      {"MD", "TCheckBox", "DesktopGroup"},
    {"MN", "TCheckBox", "DesktopGroup"},      {"RB", "TCheckBox", "DesktopGroup"},
    {"IE", "TCheckBox", "DesktopGroup"},      {"chkMT", "TCheckBox", "DesktopGroup"},
    {"chkST", "TCheckBox", "DesktopGroup"},   {"chkIC", "TCheckBox", "DesktopGroup"},
    {"FDI", "TComboBox", "DesktopGroup"},     {"Label8", "TLabel", "DesktopGroup"},
    {"DPPage", "TCheckBox", "DispGroup"},     {"ScrPage", "TCheckBox", "DispGroup"},
    {"AppPage", "TCheckBox", "DispGroup"},    {"SettPage", "TCheckBox", "DispGroup"},
    {"BackPage", "TCheckBox", "DispGroup"},   {"ThemePage", "TCheckBox", "DispGroup"},
    {"NVSC", "TCheckBox", "DispGroup"},       {"NCC", "TCheckBox", "DispGroup"},
    {"NSC", "TCheckBox", "DispGroup"},        {"AET", "TCheckBox", "HungGroup"},
    {"Manually", "TEdit", "HungGroup"},       {"OnExit", "TEdit", "HungGroup"},
    {"Service", "TEdit", "HungGroup"},        {"TOut", "TLabel", "HungGroup"},
    {"lblManually", "TLabel", "HungGroup"},   {"lblOnExit", "TLabel", "HungGroup"},
    {"Label13", "TLabel", "HungGroup"},       {"Save2", "TButton", "Panel3"},
};

// Tweaks page 2: the large group and its four inner ones.
const Control kPage2[] = {
    {"OtherGroup", "TGroupBox", "Panel4"},
    {"GroupBox1", "TGroupBox", "OtherGroup"},
    {"PrinterGroup", "TGroupBox", "OtherGroup"},
    {"SUGroup", "TGroupBox", "OtherGroup"},
    {"GroupBox3", "TGroupBox", "OtherGroup"},
    {"P1Icon", "TCheckBox", "OtherGroup"},
    {"XFile", "TCheckBox", "OtherGroup"},
    {"NoSS", "TCheckBox", "OtherGroup"},
    {"UPI", "TCheckBox", "OtherGroup"},
    {"NoCP", "TCheckBox", "OtherGroup"},
    {"DRT", "TCheckBox", "OtherGroup"},
    {"DRC", "TCheckBox", "OtherGroup"},
    {"NoWinKey", "TCheckBox", "OtherGroup"},
    {"Mes", "TCheckBox", "OtherGroup"},
    {"CDBurn", "TCheckBox", "OtherGroup"},
    {"ER", "TCheckBox", "OtherGroup"},
    {"FO", "TCheckBox", "OtherGroup"},
    {"TM", "TCheckBox", "OtherGroup"},
    {"CDR", "TCheckBox", "OtherGroup"},
    {"RISM", "TCheckBox", "OtherGroup"},
    {"AUD", "TCheckBox", "OtherGroup"},
    {"TG", "TCheckBox", "OtherGroup"},
    {"TGlom", "TCheckBox", "OtherGroup"},
    {"HST", "TCheckBox", "OtherGroup"},
    {"Heart", "TCheckBox", "OtherGroup"},
    {"SS", "TCheckBox", "OtherGroup"},
    {"HTab", "TCheckBox", "OtherGroup"},
    {"NoHide", "TCheckBox", "OtherGroup"},
    {"NoCustom", "TCheckBox", "OtherGroup"},
    {"FileMenu", "TCheckBox", "OtherGroup"},
    {"ShD", "TCheckBox", "OtherGroup"},
    {"DBSF", "TCheckBox", "OtherGroup"},
    {"B16", "TCheckBox", "OtherGroup"},
    {"BOp", "TCheckBox", "OtherGroup"},
    {"MSD", "TCheckBox", "OtherGroup"},
    {"FRT", "TCheckBox", "OtherGroup"},
    {"LA", "TCheckBox", "OtherGroup"},
    {"EM", "TCheckBox", "OtherGroup"},
    {"RRP", "TCheckBox", "OtherGroup"},
    {"DSRB", "TCheckBox", "OtherGroup"},
    {"chkCFS", "TCheckBox", "OtherGroup"},
    {"SUMW", "TCheckBox", "OtherGroup"},
    {"chkIDM", "TCheckBox", "OtherGroup"},
    {"AddP", "TCheckBox", "PrinterGroup"},
    {"DelP", "TCheckBox", "PrinterGroup"},
    {"CUR", "TCheckBox", "SUGroup"},
    {"CURO", "TCheckBox", "SUGroup"},
    {"LMR", "TCheckBox", "SUGroup"},
    {"LMRO", "TCheckBox", "SUGroup"},
    {"SU", "TComboBox", "OtherGroup"},
    {"GW", "TUpDown", "OtherGroup"},
    {"Edit1", "TEdit", "OtherGroup"},
    {"MCI", "TUpDown", "OtherGroup"},
    {"MCT", "TEdit", "OtherGroup"},
    {"TB", "TTrackBar", "OtherGroup"},
    {"NOSF", "TLabel", "OtherGroup"},
    {"uatr", "TUpDown", "GroupBox3"},
    {"atr", "TEdit", "GroupBox3"},
    {"uatc", "TUpDown", "GroupBox3"},
    {"atc", "TEdit", "GroupBox3"},
    {"TS", "TUpDown", "GroupBox1"},
    {"Edit3", "TEdit", "GroupBox1"},
    {"TQ", "TUpDown", "GroupBox1"},
    {"Edit2", "TEdit", "GroupBox1"},
    {"Save1", "TButton", "OtherGroup"},
};

// Tweaks page 3.
const Control kPage3[] = {
    {"GroupBox6", "TGroupBox", "Panel5"},       {"GroupBox4", "TGroupBox", "Panel5"},
    {"GroupBox5", "TGroupBox", "Panel5"},       {"GroupBox2", "TGroupBox", "Panel5"},
    {"GroupBox12", "TGroupBox", "Panel5"},      {"chkEST", "TCheckBox", "GroupBox6"},
    {"D1", "TRadioButton", "GroupBox4"},        {"D2", "TRadioButton", "GroupBox4"},
    {"D3", "TRadioButton", "GroupBox4"},        {"D4", "TRadioButton", "GroupBox4"},
    {"ltClassic", "TRadioButton", "GroupBox5"}, {"ltWelcome", "TRadioButton", "GroupBox5"},
    {"sAdmin", "TCheckBox", "GroupBox5"},       {"AVN", "TCheckBox", "GroupBox2"},
    {"FWN", "TCheckBox", "GroupBox2"},          {"AVM", "TCheckBox", "GroupBox2"},
    {"FWM", "TCheckBox", "GroupBox2"},          {"chkDSC", "TCheckBox", "GroupBox2"},
    {"chkLatency", "TCheckBox", "GroupBox12"},  {"Save3", "TButton", "Panel5"},
};

// The FIX page outside the repair groups.
const Control kFixPage[] = {
    {"Label36", "TLabel", "shtFix"},        {"Button6", "TButton", "shtFix"},
    {"Button7", "TButton", "shtFix"},       {"Button8", "TButton", "shtFix"},
    {"ScrollBox2", "TScrollBox", "shtFix"}, {"chkExpFrame", "TCheckBox", "ScrollBox2"},
    {"cmbFO", "TComboBox", "GroupBox7"},
};

// The repair boxes of each FIX group, as many as the group's caption counts.
struct FixGroup {
  const char* name;
  const char* caption;
  std::vector<const char*> boxes;
};
const FixGroup kFixGroups[] = {
    {"GroupBox7",
     " Explorer (7) ",
     {"chkDClick", "chkRBIcons", "chkDetailsTab", "chkNew", "chkTray", "chkMenuDelay", "chkFO"}},
    {"GroupBox8",
     " File Associations (33) ",
     {"chkCDVD", "chkLibrary", "chkBAT",       "chkBMP",   "chkCPL",   "chkDLL", "chkEXE",
      "chkGIF",  "chkHTM",     "chkHTML",      "chkICO",   "chkINF",   "chkINI", "chkJPE",
      "chkJPEG", "chkJPG",     "chkJS",        "chkJSE",   "chkLNK",   "chkLOG", "chkMSC",
      "chkMSI2", "chkPNG",     "chkREG",       "chkSCR",   "chkTXT",   "chkTTF", "chkURL",
      "chkVBS",  "chkZIP",     "chkDirectory", "chkDrive", "chkFolder"}},
    {"GroupBox9",
     " Services (10) ",
     {"chkMSI1719", "chkBFE", "chkBITS", "chkSpooler", "chkWindefend", "chkMpsdrv", "chkMpsSvc",
      "chkMSI", "chkWSearch", "chkWscsvc"}},
    {"GroupBox13", " Networking ( 2 ) ", {"chkResetNet", "chkFlushDNS"}},
    {"GroupBox10", " System Tools (5) ", {"chkSnip", "chkCmd", "chkDRE", "chkDTM", "chkDevmgr"}},
    {"GroupBox11",
     " Misc. (5) ",
     {"chkAWinDef", "chkCDDVDnr", "chkOW", "chkMouseHiber", "chkPower"}},
};

// The window's own components.
const Control kShell[] = {
    {"back", "TImage", "TweakFrm"},
    {"Icon", "TImage", "TweakFrm"},
    {"title", "TLabel", "TweakFrm"},
    {"cpr", "TLabel", "TweakFrm"},
    {"Label3", "TLabel", "TweakFrm"},
    {"Button29", "TButton", "TweakFrm"},
    {"Button1", "TButton", "TweakFrm"},
    {"Panel1", "TPanel", "TweakFrm"},
    {"Panel6", "TPanel", "Panel1"},
    {"Shape2", "TShape", "Panel6"},
    {"Label38", "TLabel", "Panel6"},
    {"spdTweak", "TSpeedButton", "Panel6"},
    {"spdFix", "TSpeedButton", "Panel6"},
    {"Shape1", "TShape", "Panel6"},
    {"Label37", "TLabel", "Panel6"},
    {"Image1", "TImage", "Panel6"},
    {"Image4", "TImage", "Panel6"},
    {"Image3", "TImage", "Panel6"},
    {"Image2", "TImage", "Panel6"},
    {"TweaksSheet", "TPageControl", "TweakFrm"},
    {"TabSheet2", "TTabSheet", "TweaksSheet"},
    {"TabSheet1", "TTabSheet", "TweaksSheet"},
    {"TabSheet3", "TTabSheet", "TweaksSheet"},
    {"shtFix", "TTabSheet", "TweaksSheet"},
    {"Panel3", "TPanel", "TabSheet2"},
    {"Panel4", "TPanel", "TabSheet1"},
    {"Panel5", "TPanel", "TabSheet3"},
    {"Bevel1", "TBevel", "Panel3"},
    {"Bevel3", "TBevel", "Panel4"},
    {"Bevel4", "TBevel", "Panel5"},
    {"Panel2", "TPanel", "TweakFrm"},
    {"Button3", "TButton", "Panel2"},
    {"Button4", "TButton", "Panel2"},
    {"Button2", "TButton", "Panel2"},
    {"Button5", "TButton", "Panel2"},
    {"Label4", "TLabel", "Panel2"},
    {"StatusBar1", "TStatusBar", "TweakFrm"},
    {"ToReg", "TRichEdit", "TweakFrm"},
    {"Timer1", "TTimer", "TweakFrm"},
    {"ResizeKit1", "TResizeKit", "TweakFrm"},
};

class MainFormTest : public MainFormFixture {
 protected:
  template <std::size_t N>
  void ExpectControls(const Control (&controls)[N]) {
    for (const Control& c : controls) {
      const DfmObject* object = form_->Find(c.name);
      ASSERT_NE(object, nullptr) << c.name;
      EXPECT_EQ(object->className, c.className) << c.name;
      EXPECT_EQ(form_->ParentOf(c.name), c.parent) << c.name;
    }
  }
};

TEST_F(MainFormTest, RootIsTheTweakWindow) {
  EXPECT_EQ(form_->Root().name, "TweakFrm");
  EXPECT_EQ(form_->Root().className, "TTweakFrm");
}

TEST_F(MainFormTest, EveryControlTheWindowReadsExistsWithItsClassAndParent) {
  ExpectControls(kPage1);
  ExpectControls(kPage2);
  ExpectControls(kPage3);
  ExpectControls(kFixPage);
  ExpectControls(kShell);
}

TEST_F(MainFormTest, ComponentNamesAreUnique) {
  std::set<std::string> seen;
  for (const DfmObject* object : form_->All())
    EXPECT_TRUE(seen.insert(object->name).second) << "twice: " << object->name;
}

TEST_F(MainFormTest, FixGroupsHoldTheCountedRepairBoxesInOrder) {
  std::size_t total = 0;
  for (const FixGroup& g : kFixGroups) {
    const DfmObject& group = Get(g.name);
    EXPECT_EQ(form_->ParentOf(g.name), "ScrollBox2");
    EXPECT_EQ(PropText(group, "Caption"), g.caption);
    std::vector<std::string> boxes;
    for (const DfmObject& child : group.children)
      if (child.className == "TCheckBox") boxes.push_back(child.name);
    EXPECT_EQ(boxes, std::vector<std::string>(g.boxes.begin(), g.boxes.end())) << g.name;
    total += g.boxes.size();
  }
  EXPECT_EQ(total, 62u);
}

// Names of check boxes (and radio buttons) of a page that start ticked.
std::set<std::string> TickedUnder(const DfmObject& object) {
  std::set<std::string> ticked;
  for (const DfmObject& child : object.children) {
    if ((child.className == "TCheckBox" || child.className == "TRadioButton") && IsChecked(child))
      ticked.insert(child.name);
    std::set<std::string> below = TickedUnder(child);
    ticked.insert(below.begin(), below.end());
  }
  return ticked;
}

std::set<std::string> BoxesUnder(const DfmObject& object, const char* className) {
  std::set<std::string> names;
  for (const DfmObject& child : object.children) {
    if (child.className == className) names.insert(child.name);
    std::set<std::string> below = BoxesUnder(child, className);
    names.insert(below.begin(), below.end());
  }
  return names;
}

std::set<std::string> AllBut(std::set<std::string> all, const std::set<std::string>& except) {
  for (const std::string& name : except) all.erase(name);
  return all;
}

TEST_F(MainFormTest, TweakPagesStartTickedExceptTheDocumentedBoxes) {
  const DfmObject& page1 = Get("TabSheet2");
  EXPECT_EQ(TickedUnder(page1), AllBut(BoxesUnder(page1, "TCheckBox"),
                                       {"Admin", "LockTask", "NoTool", "NoTray", "DS", "MN", "IE",
                                        "MDL", "MCP", "DSS", "DD", "NCC", "NSC", "NVSC"}));
  const DfmObject& page2 = Get("TabSheet1");
  EXPECT_EQ(TickedUnder(page2),
            AllBut(BoxesUnder(page2, "TCheckBox"),
                   {"DRT", "DRC", "CDBurn", "NoCP", "NoSS", "NoWinKey", "Mes", "HST", "FO", "SS",
                    "TG", "TM", "NoCustom", "FileMenu", "HTab", "DSRB"}));
  const DfmObject& page3 = Get("TabSheet3");
  std::set<std::string> page3Ticked = AllBut(BoxesUnder(page3, "TCheckBox"), {"sAdmin"});
  page3Ticked.insert({"D1", "ltWelcome"});
  EXPECT_EQ(TickedUnder(page3), page3Ticked);
}

TEST_F(MainFormTest, FixPageStartsWithOnlyTheTwoLockedRepairsTicked) {
  EXPECT_EQ(TickedUnder(Get("shtFix")), (std::set<std::string>{"chkCmd", "chkDRE"}));
  for (const char* locked : {"chkCmd", "chkDRE"})
    EXPECT_EQ(PropText(Get(locked), "Enabled"), "False") << locked;
  for (const FixGroup& g : kFixGroups)
    for (const char* box : g.boxes)
      if (std::string(box) != "chkCmd" && std::string(box) != "chkDRE") {
        EXPECT_NE(PropText(Get(box), "Enabled"), "False") << box;
      }
  EXPECT_EQ(PropText(Get("chkExpFrame"), "Visible"), "False");
}

TEST_F(MainFormTest, ExactlyTheFiveGreenTweaksAreGreen) {
  std::set<std::string> green;
  for (const DfmObject* object : form_->All())
    if (object->className == "TCheckBox" && PropText(*object, "Font.Color") == "clGreen")
      green.insert(object->name);
  EXPECT_EQ(green, (std::set<std::string>{"chkIC", "SUMW", "chkCFS", "chkIDM", "chkLatency"}));
  for (const char* name : {"Button5", "Button8"}) {
    EXPECT_EQ(PropText(Get(name), "Font.Color"), "clGreen") << name;
    EXPECT_EQ(PropText(Get(name), "Font.Style"), "[fsBold]") << name;
  }
}

}  // namespace
}  // namespace velotune
