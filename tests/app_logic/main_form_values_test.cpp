// The main window's description against its documented texts, values,
// bounds, event wiring and pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/logic/maker_info.h"
#include "app/logic/sidebar_modes.h"
#include "form_files.h"
#include "framework/picture.h"
#include "support/speedup_lines.h"

namespace velotune {

namespace {

class MainFormValues : public MainFormFixture {};

// Captions as stored: "&&" for a shown ampersand, "&" before an access key,
// quotes, trailing blanks and the cp1252 "»" kept exactly.
TEST_F(MainFormValues, CaptionsAreStoredExactly) {
  struct Case {
    const char* name;
    const char* caption;
  };
  const Case cases[] = {
      {"TabSheet2", "Tweaks [&1]"},
      {"TabSheet1", "Tweaks [&2]"},
      {"TabSheet3", "Tweaks [&3]"},
      {"shtFix", "FIX"},
      {"StartGroup", " Taskbar && Start Menu "},
      {"DesktopGroup", " Desktop "},
      {"DispGroup", " Display Properties "},
      {"HungGroup", " Shut Down "},
      {"OtherGroup", " Other Tweaks "},
      {"GroupBox1", "Thumbnail "},
      {"PrinterGroup", " Printer "},
      {"SUGroup", " Start Up "},
      {"GroupBox3", " Alt+Tab Window "},
      {"GroupBox6", " Service Tweaks "},
      {"GroupBox4", " Drive Letter Options "},
      {"GroupBox5", " Logon "},
      {"GroupBox2", " Security Center "},
      {"GroupBox12", " Networking "},
      {"Save1", "&Save Changes"},
      {"Save2", "&Save Changes"},
      {"Save3", "&Save Changes"},
      {"SetFolder", "Start => Settings => CP, Printer and Faxes, && Network Connections"},
      {"Taskbar", "Start => Settings => Taskbar && Start Menu"},
      {"LOff", "Start => Log Off ..."},
      {"NVSC", "Disable Windows && Buttons"},
      {"MC", "Show \"My Computer\""},
      {"chkIC", "Clear Icon Cache (Win 7)"},
      {"Label8", "First Desktop Icon :"},
      {"TOut", "Program Time Out :"},
      {"Label13", "WaitToKillServiceTimeout (ms)"},
      {"P1Icon", "*.dll && *.cpl with %1 Icon"},
      {"RISM", "\"Run\" in separate memory space"},
      {"TGlom", "Taskbar Glomming "},
      {"NoHide", "Show All Hidden Files && System Files"},
      {"LA", "Disable NTFS Last Access Time Stamp (Speed up viewing folder in NTFS)"},
      {"EM", "Don't Show Error Message on Start Up"},
      {"chkIDM", "Speed Up IDM D/L Speed"},
      {"NOSF", "Number of Saved Folders : (3500)"},
      {"D3",
       "Show Network drive letters before the label, and show local drive letters after the "
       "label"},
      {"sAdmin", "Show \"Administrator\" on Welcome Screen"},
      {"chkLatency", "Decrease Latency"},
      {"lblSvc1", "\xBB .NET runtime optimization service"},
      {"lblSvc22", "\xBB SSDP Discovery ( Disabled )"},
      {"Label36", "Total : 62 Fixes"},
      {"Button8", "FIX IT!"},
      {"chkMSI1719",
       "Error 1719 Windows Installer Service Could Not be Accessed, when installing "
       "applications. "},
      {"chkMSI2", "Fix \".MSI\" File Association."},
      {"chkLibrary", "Fix Library (.library-ms) file association and icon missing. <<WIN7>>"},
      {"chkSnip", "Fix Error \"The Snipping Tool is not working on your computer right now\"."},
      {"chkOW",
       "Fix \"Open With\" Error \"This file does not have a program associated with it\"."},
      {"chkExpFrame",
       "Fix ExplorerFrame.DLL Registration in Windows 7 (Resolves various UI problems)."},
      {"title", "Velotune"},
      {"Label3", "Last Updated : June 2014"},
      {"Label38", "MAIN MENU"},
      {"Label37", "SUPPORT"},
      {"spdTweak", "TWEAK"},
      {"spdFix", "FIX"},
      {"Button3", "Restart Computer"},
      {"Button4", "Restart Explorer"},
      {"Button2", "1-Click Tweak"},
      {"Button5", "GREEN Boost"},
      {"Label4", "Some Tweaks will be Active after you Restart your Computer or your Explorer."},
  };
  for (const Case& c : cases) EXPECT_EQ(PropText(Get(c.name), "Caption"), c.caption) << c.name;
  EXPECT_EQ(PropText(form_->Root(), "Caption"), "Velotune");
}

TEST_F(MainFormValues, HintsAreStoredExactly) {
  EXPECT_EQ(PropText(Get("Button2"), "Hint"),
            "This will Save Changes on \"Tweaks 1\",  \"Tweaks 2, and \"Tweaks 3\"");
  EXPECT_EQ(PropText(Get("Button5"), "Hint"), "Only Apply Tweaks with GREEN Color");
  EXPECT_EQ(PropText(Get("Button8"), "Hint"),
            "\"Restart your Computer\" after Click \"FIX IT!\" Button.");
  EXPECT_EQ(PropText(Get("chkIDM"), "Hint"), "\"Please Exit your IDM before using this Tweak\"");
  EXPECT_EQ(PropText(Get("chkEST"), "Hint"),
            "Following Service will be Set to \"Manual\", except the last Three, they will be "
            "Disabled");
  EXPECT_EQ(PropText(Get("chkMenuDelay"), "Hint"),
            "This changes the menu show delay time back to 400 milliseconds.");
}

TEST_F(MainFormValues, ValueControlsStartAtTheirDocumentedValues) {
  struct UpDown {
    const char* name;
    const char* edit;
    long long min, max, step, position;
    const char* text;
  };
  const UpDown upDowns[] = {
      {"GW", "Edit1", 2, 50, 1, 5, "5"},     {"MCI", "MCT", 512, 8192, 512, 4096, "4096"},
      {"TQ", "Edit2", 50, 100, 5, 80, "80"}, {"TS", "Edit3", 50, 256, 5, 80, "80"},
      {"uatr", "atr", 3, 30, 1, 5, "5"},     {"uatc", "atc", 3, 40, 1, 10, "10"},
  };
  for (const UpDown& u : upDowns) {
    const DfmObject& ud = Get(u.name);
    EXPECT_EQ(PropText(ud, "Associate"), u.edit) << u.name;
    EXPECT_EQ(PropInt(ud, "Min", 0), u.min) << u.name;
    EXPECT_EQ(PropInt(ud, "Max", 100), u.max) << u.name;
    EXPECT_EQ(PropInt(ud, "Increment", 1), u.step) << u.name;
    EXPECT_EQ(PropInt(ud, "Position", 0), u.position) << u.name;
    EXPECT_EQ(PropText(Get(u.edit), "Text"), u.text) << u.edit;
    EXPECT_EQ(PropText(Get(u.edit), "ReadOnly"), "True") << u.edit;
  }
  const DfmObject& tb = Get("TB");
  EXPECT_EQ(PropInt(tb, "Min", 0), 0);
  EXPECT_EQ(PropInt(tb, "Max", 10), 8000);
  EXPECT_EQ(PropInt(tb, "Position", 0), 3500);

  struct Edit {
    const char* name;
    const char* text;
  };
  for (const Edit& e : {Edit{"Manually", "1"}, Edit{"OnExit", "1000"}, Edit{"Service", "1000"}}) {
    EXPECT_EQ(PropText(Get(e.name), "Text"), e.text) << e.name;
    EXPECT_NE(PropText(Get(e.name), "ReadOnly"), "True") << e.name;
  }

  struct Combo {
    const char* name;
    std::vector<std::string> items;
    long long index;
    bool visible;
  };
  const Combo combos[] = {
      {"SU",
       {"Disabled Prefetch", "Application launch prefetching", "Boot prefetching 1",
        "Both prefetching 2"},
       0,
       true},
      {"cmbFO", {"Windows XP", "Windows Vista", "Windows 7", "Windows 8"}, 2, true},
      {"FDI", {"My Computer", "My Documents"}, 0, false},
  };
  for (const Combo& c : combos) {
    const DfmObject& combo = Get(c.name);
    EXPECT_EQ(PropText(combo, "Style"), "csDropDownList") << c.name;
    EXPECT_EQ(PropList(combo, "Items.Strings"), c.items) << c.name;
    EXPECT_EQ(PropInt(combo, "ItemIndex", -1), c.index) << c.name;
    EXPECT_EQ(PropText(combo, "Visible") != "False", c.visible) << c.name;
  }
  EXPECT_EQ(PropText(Get("Label8"), "Visible"), "False");
}

TEST_F(MainFormValues, SpeedUpScriptLinesAreExact) {
  const std::vector<std::string>& expected = ExpectedSpeedUpLines();

  const DfmObject& toReg = Get("ToReg");
  EXPECT_EQ(PropList(toReg, "Lines.Strings"), expected);
  EXPECT_EQ(PropText(toReg, "Visible"), "False");
  EXPECT_EQ(PropText(toReg, "WordWrap"), "False");
}

TEST_F(MainFormValues, EventsAreWiredToTheNamedHandlers) {
  struct Wire {
    const char* control;
    const char* event;
    const char* handler;
  };
  const Wire wires[] = {
      {"cpr", "OnDblClick", "cprDblClick"},
      {"title", "OnDblClick", "titleDblClick"},
      {"Icon", "OnDblClick", "IconDblClick"},
      {"Label3", "OnDblClick", "Label3DblClick"},
      {"Save2", "OnClick", "Save2Click"},
      {"Save1", "OnClick", "Save1Click"},
      {"TB", "OnChange", "TBChange"},
      {"Save3", "OnClick", "Save3Click"},
      {"ScrollBox2", "OnMouseWheel", "ScrollBox2MouseWheel"},
      {"Button6", "OnClick", "Button6Click"},
      {"Button7", "OnClick", "Button7Click"},
      {"Button8", "OnClick", "Button8Click"},
      {"Button1", "OnClick", "Button1Click"},
      {"Button29", "OnClick", "Button29Click"},
      {"spdTweak", "OnClick", "SidebarClick"},
      {"spdFix", "OnClick", "SidebarClick"},
      {"Image2", "OnClick", "Image2Click"},
      {"Image3", "OnClick", "imgPaypalClick2"},
      {"Image4", "OnClick", "imgPaypalClick2"},
      {"Image1", "OnClick", "BClick2"},
      {"Button2", "OnClick", "Button2Click"},
      {"Button3", "OnClick", "Button3Click"},
      {"Button4", "OnClick", "Button4Click"},
      {"Button5", "OnClick", "Button5Click"},
      {"Timer1", "OnTimer", "Timer1Timer"},
  };
  for (const Wire& w : wires) EXPECT_EQ(PropText(Get(w.control), w.event), w.handler) << w.control;
  EXPECT_EQ(PropText(form_->Root(), "OnCreate"), "FormCreate");
  // No other control of the window has a handler: setting ticks triggers nothing.
  std::size_t wired = 0;
  for (const DfmObject* object : form_->All())
    for (const DfmProperty& p : object->properties)
      if (p.name.compare(0, 2, "On") == 0) ++wired;
  EXPECT_EQ(wired, std::size(wires) + 1);
}

TEST_F(MainFormValues, WindowAndItsFrameComponentsHaveTheirDesignBounds) {
  const DfmObject& root = form_->Root();
  EXPECT_EQ(PropInt(root, "ClientWidth", 0), 790);
  EXPECT_EQ(PropInt(root, "ClientHeight", 0), 648);
  EXPECT_EQ(PropInt(root, "Left", 0), 231);
  EXPECT_EQ(PropInt(root, "Top", 0), 22);
  EXPECT_EQ(PropText(root, "BorderStyle"), "bsSingle");
  EXPECT_EQ(PropText(root, "BorderIcons"), "[biSystemMenu,biMinimize]");
  EXPECT_EQ(PropText(root, "Font.Name"), "MS Sans Serif");
  EXPECT_EQ(PropInt(root, "Font.Height", 0), -11);
  struct Bounds {
    const char* name;
    int left, top, width, height;
  };
  const Bounds bounds[] = {
      {"back", -4, 0, 797, 49},          {"Icon", 16, 8, 32, 32},
      {"title", 56, 11, 177, 13},        {"cpr", 56, 25, 321, 13},
      {"Label3", 616, 11, 160, 13},      {"Button29", 624, 25, 74, 19},
      {"Button1", 704, 25, 73, 19},      {"Panel1", 0, 50, 156, 575},
      {"Panel6", 10, 8, 139, 553},       {"TweaksSheet", 158, 50, 633, 577},
      {"Panel2", 160, 562, 625, 57},     {"StatusBar1", 0, 626, 790, 22},
      {"ToReg", 320, 16, 17, 17},        {"Shape2", 1, 1, 136, 25},
      {"Label38", 9, 5, 119, 15},        {"spdTweak", 8, 32, 121, 65},
      {"spdFix", 8, 104, 121, 73},       {"Shape1", 1, 385, 136, 25},
      {"Label37", 10, 389, 119, 15},     {"Image1", 41, 424, 55, 23},
      {"Image4", 40, 451, 57, 18},       {"Image3", 40, 473, 57, 20},
      {"Image2", 16, 502, 102, 40},      {"Button3", 8, 4, 113, 25},
      {"Button4", 8, 30, 113, 25},       {"Button2", 148, 4, 261, 25},
      {"Button5", 416, 4, 193, 25},      {"Bevel1", 8, 480, 609, -1},
      {"Bevel3", 8, 480, 609, -1},       {"Bevel4", 8, 480, 609, -1},
      {"Save1", -1, -1, 139, 25},        {"Save2", -1, -1, 139, 25},
      {"Save3", -1, -1, 139, 25},        {"Label36", 16, 17, 89, 13},
      {"Button6", 200, 12, 129, 25},     {"Button7", 336, 12, 129, 25},
      {"Button8", 480, 8, 129, 33},      {"ScrollBox2", 0, 53, 625, 496},
      {"GroupBox7", 16, 8, 569, 169},    {"GroupBox8", 16, 192, 569, 270},
      {"GroupBox9", 16, 472, 569, 203},  {"GroupBox13", 16, 687, 569, 76},
      {"GroupBox10", 16, 776, 569, 123}, {"GroupBox11", 16, 912, 569, 119},
      {"chkExpFrame", 176, 24, -1, -1},  {"chkFO", 16, 136, -1, -1},
      {"cmbFO", 128, 136, -1, -1},
  };
  for (const Bounds& b : bounds) {
    const DfmObject& object = Get(b.name);
    const std::pair<const char*, int> parts[] = {
        {"Left", b.left}, {"Top", b.top}, {"Width", b.width}, {"Height", b.height}};
    for (const auto& [property, value] : parts)
      if (value != -1) {
        EXPECT_EQ(PropInt(object, property, -9999), value) << b.name << property;
      }
  }
}

// The resize kit lays controls out from the stored design client size, which
// must be the size the form was laid out for.
TEST_F(MainFormValues, ResizeKitDesignSizeIsTheWindowsClientSize) {
  const DfmObject& kit = Get("ResizeKit1");
  EXPECT_EQ(PropInt(kit, "DesignFrmW", 0), PropInt(form_->Root(), "ClientWidth", -1));
  EXPECT_EQ(PropInt(kit, "DesignFrmH", 0), PropInt(form_->Root(), "ClientHeight", -1));
  EXPECT_EQ(PropInt(kit, "DesignDpiW", 0), 96);
  EXPECT_EQ(PropInt(kit, "DesignDpiH", 0), 96);
  EXPECT_EQ(PropText(kit, "FormPos"), "rpMiddleCenter");
  EXPECT_EQ(PropInt(kit, "FormWidth", 0), 806);
  EXPECT_EQ(PropInt(kit, "FormHeight", 0), 688);
}

TEST_F(MainFormValues, FixRowsStartAtTwentyFourSixteenApart) {
  const DfmObject& services = Get("GroupBox9");
  int expectedTop = 24;
  for (const DfmObject& box : services.children) {
    EXPECT_EQ(PropInt(box, "Left", 0), 16) << box.name;
    EXPECT_EQ(PropInt(box, "Top", 0), expectedTop) << box.name;
    expectedTop += 16;
  }
  // Three columns of file associations from top 64.
  struct Column {
    const char* first;
    int left;
  };
  for (const Column& c : {Column{"chkBAT", 16}, Column{"chkJPEG", 192}, Column{"chkTTF", 360}}) {
    EXPECT_EQ(PropInt(Get(c.first), "Left", 0), c.left) << c.first;
    EXPECT_EQ(PropInt(Get(c.first), "Top", 0), 64) << c.first;
  }
  const DfmObject& scroll = Get("ScrollBox2");
  EXPECT_EQ(PropInt(scroll, "VertScrollBar.Range", 0), 1100);
  EXPECT_EQ(PropInt(scroll, "HorzScrollBar.Range", 0), 600);
  EXPECT_EQ(PropText(scroll, "Anchors"), "[akLeft,akTop,akBottom]");
}

TEST_F(MainFormValues, TweakPageControlsStayAboveTheBottomPanel) {
  // The bottom panel covers the tweak pages from about 480 down; every
  // control of a tweak page must end above it and inside the page's width.
  for (const char* panel : {"Panel3", "Panel4", "Panel5"}) {
    for (const DfmObject& child : Get(panel).children) {
      if (child.className == "TBevel") continue;
      long long bottom = PropInt(child, "Top", 0) + PropInt(child, "Height", 0);
      long long right = PropInt(child, "Left", 0) + PropInt(child, "Width", 0);
      EXPECT_LE(bottom, 480) << child.name;
      EXPECT_LE(right, 625) << child.name;
      for (const DfmObject& inner : child.children) {
        EXPECT_LE(PropInt(inner, "Top", 0) + PropInt(inner, "Height", 0),
                  PropInt(child, "Height", 0))
            << inner.name;
        EXPECT_LE(PropInt(inner, "Left", 0) + PropInt(inner, "Width", 0),
                  PropInt(child, "Width", 0))
            << inner.name;
      }
    }
  }
}

// Visible siblings with a stored size never cover each other on the pages;
// rows 16 apart of 17-pixel check boxes share one pixel, which is allowed.
// Shapes are backgrounds that labels are meant to sit on.
void ExpectNoOverlaps(const DfmObject& container) {
  struct Box {
    const DfmObject* object;
    long long left, top, right, bottom;
  };
  std::vector<Box> boxes;
  for (const DfmObject& child : container.children) {
    if (PropText(child, "Visible") == "False" || child.Find("Width") == nullptr ||
        child.className == "TShape")
      continue;
    long long left = PropInt(child, "Left", 0), top = PropInt(child, "Top", 0);
    boxes.push_back(
        {&child, left, top, left + PropInt(child, "Width", 0), top + PropInt(child, "Height", 0)});
  }
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const Box& a = boxes[i];
      const Box& b = boxes[j];
      long long wide = std::min(a.right, b.right) - std::max(a.left, b.left);
      long long high = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
      EXPECT_FALSE(wide > 0 && high > 1) << a.object->name << " and " << b.object->name;
    }
  for (const DfmObject& child : container.children) ExpectNoOverlaps(child);
}

TEST_F(MainFormValues, PageControlsDoNotOverlap) {
  for (const char* page : {"TabSheet2", "TabSheet1", "TabSheet3", "shtFix"})
    ExpectNoOverlaps(Get(page));
  ExpectNoOverlaps(Get("Panel6"));
  ExpectNoOverlaps(Get("Panel2"));
}

TEST_F(MainFormValues, SidebarModesNameThePagesAndTagsOfTheForm) {
  std::vector<std::string> pages;
  for (const DfmObject& page : Get("TweaksSheet").children) pages.push_back(page.name);
  EXPECT_EQ(pages, std::vector<std::string>(AllPageNames().begin(), AllPageNames().end()));
  for (const char* button : {"spdTweak", "spdFix"}) {
    const SidebarMode* mode = FindSidebarMode(static_cast<int>(PropInt(Get(button), "Tag", 0)));
    ASSERT_NE(mode, nullptr) << button;
    for (const char* tab : mode->shownTabs) EXPECT_EQ(Get(tab).className, "TTabSheet");
    if (mode->focus != nullptr) {
      EXPECT_NE(form_->Find(mode->focus), nullptr);
    }
  }
  EXPECT_EQ(PropInt(Get("spdFix"), "Tag", 0), 1);
  EXPECT_EQ(PropText(Get("spdTweak"), "Down"), "True");
  EXPECT_EQ(PropInt(Get("TweaksSheet"), "Height", 0), kSidebarPageControlHeight);
  EXPECT_EQ(Get(kBottomPanelName).className, "TPanel");
}

TEST_F(MainFormValues, StatusBarPanelsAndMakerTextsMatch) {
  const DfmProperty* panels = Get("StatusBar1").Find("Panels");
  ASSERT_NE(panels, nullptr);
  ASSERT_EQ(panels->value.kind, DfmKind::kCollection);
  struct Panel {
    long long width;
    std::string text;
  };
  const Panel expected[] = {{140, "Memory Usage : 100%"},
                            {85, "Power : 100%"},
                            {370, "System Uptime : -"},
                            {50, kMakerWebAddress}};
  ASSERT_EQ(panels->value.collection.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    DfmObject item;
    item.properties = panels->value.collection[i];
    EXPECT_EQ(PropInt(item, "Width", 0), expected[i].width) << i;
    EXPECT_EQ(PropText(item, "Text"), expected[i].text) << i;
    EXPECT_EQ(PropText(item, "Alignment"), "taCenter") << i;
  }
  EXPECT_EQ(PropText(Get("cpr"), "Caption"), kMakerNotice);
  EXPECT_EQ(PropText(Get("Image1"), "HelpKeyword"), kFollowAddress);
  EXPECT_EQ(PropText(Get("Image4"), "HelpKeyword"), kShareAddress);
  EXPECT_EQ(PropText(Get("Image3"), "HelpKeyword"), kPostAddress);
  for (const char* link : {"Image1", "Image2", "Image3", "Image4"})
    EXPECT_EQ(PropText(Get(link), "Cursor"), "crHandPoint") << link;
  EXPECT_EQ(PropInt(Get("Timer1"), "Interval", 0), 1000);
}

// Every stored picture decodes, and unstretched ones are as large as their image.
TEST_F(MainFormValues, PicturesDecodeAtTheirControlsSize) {
  struct Picture {
    const char* name;
    const char* property;
    int width, height;
  };
  const Picture pictures[] = {
      {"back", "Picture.Data", 0, 0},     {"Icon", "Picture.Data", 32, 32},
      {"spdTweak", "Glyph.Data", 32, 32}, {"spdFix", "Glyph.Data", 32, 32},
      {"Image1", "Picture.Data", 55, 23}, {"Image4", "Picture.Data", 57, 18},
      {"Image3", "Picture.Data", 57, 20}, {"Image2", "Picture.Data", 102, 40},
  };
  for (const Picture& p : pictures) {
    const DfmProperty* data = Get(p.name).Find(p.property);
    ASSERT_NE(data, nullptr) << p.name;
    Pixels pixels = DecodePictureData(data->value.bytes);
    ASSERT_FALSE(pixels.Empty()) << p.name;
    if (p.width != 0) {
      EXPECT_EQ(pixels.width, p.width) << p.name;
      EXPECT_EQ(pixels.height, p.height) << p.name;
    }
  }
  // Transparent bitmaps key on their bottom-left pixel: magenta.
  for (const char* keyed : {"Icon", "spdTweak", "spdFix"}) {
    const DfmObject& object = Get(keyed);
    const DfmProperty* data =
        object.Find(object.className == "TImage" ? "Picture.Data" : "Glyph.Data");
    Pixels pixels = DecodePictureData(data->value.bytes);
    EXPECT_EQ(pixels.At(0, pixels.height - 1) & 0xFFFFFFu, 0xFF00FFu) << keyed;
  }
  // The window's icon is an ICO file with the 16, 32 and 48 pixel images.
  const DfmProperty* icon = form_->Root().Find("Icon.Data");
  ASSERT_NE(icon, nullptr);
  const std::vector<std::uint8_t>& ico = icon->value.bytes;
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  EXPECT_EQ(std::vector<std::uint8_t>(ico.begin(), ico.begin() + 6),
            (std::vector<std::uint8_t>{0, 0, 1, 0, 3, 0}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ico[6 + 16 * i], 16 * (i + 1)) << i;
}

}  // namespace
}  // namespace velotune
