#include "skin/data/skin_types.h"

#include "skin/data/quick_ini.h"
#include "skin/data/skin_reader.h"

namespace velotune::skin {

const char* const kSkinOptionNames[kSkinOptionCount] = {
    "xoMDIScrollbar",     "xoMenuMerge",   "xoTransparent",       "xoPreview",
    "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK",         "xoToolbarButton",
    "xoMDIChildBorder",   "xoMenuBG",      "xoCaptionButtonHint", "xoFormScrollbar",
};

const char* const kSkinControlTypeNames[kSkinControlTypeCount] = {
    "xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",    "xcControlbar", "xcCombo",
    "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar",  "xcEdit",       "xcButton",
    "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",      "xcGroupBox",   "xcStatusBar",
    "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport",
};

const char* const kSkinFormTypeNames[kSkinFormTypeCount] = {"sfMainform", "sfOnlyThisForm",
                                                            "sfDialog", "sfDLL"};

int EnumOrdinal(const char* const* names, int count, const std::string& name) {
  const std::string wanted = LowerAscii(name);
  for (int i = 0; i < count; ++i)
    if (LowerAscii(names[i]) == wanted) return i;
  return -1;
}

std::string FormatSet(const char* const* names, int count, EnumSet set) {
  std::string text = "[";
  for (int i = 0; i < count; ++i) {
    if (!InSet(set, i)) continue;
    if (text.size() > 1) text += ", ";
    text += names[i];
  }
  return text + "]";
}

bool ParseSet(const char* const* names, int count, const std::string& text, EnumSet* set) {
  std::string body = TrimText(text);
  if (!body.empty() && body.front() == '[') body.erase(0, 1);
  if (!body.empty() && body.back() == ']') body.pop_back();
  EnumSet result = 0;
  size_t start = 0;
  while (start <= body.size()) {
    size_t comma = body.find(',', start);
    if (comma == std::string::npos) comma = body.size();
    const std::string member = TrimText(body.substr(start, comma - start));
    if (!member.empty()) {
      const int ordinal = EnumOrdinal(names, count, member);
      if (ordinal < 0) return false;
      result |= SetOf(ordinal);
    }
    start = comma + 1;
  }
  *set = result;
  return true;
}

namespace {

// Foreign control classes by the kind they are skinned as, spelled as stored.
struct KindGroup {
  const char* kind;
  std::vector<const char*> classes;
};

const std::vector<KindGroup>& Groups() {
  static const std::vector<KindGroup> groups = {
      {"scrollbar",
       {"TCategoryButtons", "TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup",
        "THTMLViewer", "TDBCtrlGrid", "TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"}},
      {"pngspeedbutton", {"TPngSpeedbutton"}},
      {"pngbitbtn", {"TPngBitBtn"}},
      {"Panel",
       {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TLMDGROUPBOX",
        "TLMDSIMPLEPANEL", "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator",
        "TLMDHeaderPanel", "TLMDTechnicalLine", "TLMDLMDClock"}},
      {"combobox", {"TComboboxex",          "TcxDBLookupComboBox",    "TcxDBComboBox",
                    "TcxDBDateEdit",        "TcxDBImageComboBox",     "TcxDBCalcEdit",
                    "TcxDBBlobEdit",        "TcxDBPopupEdit",         "TcxDBFontNameComboBox",
                    "TcxDBShellComboBox",   "TRxLookupEdit",          "TRxDBLookupCombo",
                    "TRzDateTimeEdit",      "TRzColorEdit",           "TRzDateTimePicker",
                    "TRzDBDateTimeEdit",    "TRzDbColorEdit",         "TRzDBDateTimePicker",
                    "TLMDListCombobox",     "TLMDCheckListCombobox",  "TLMDHeaderListCombobox",
                    "TLMDImageCombobox",    "TLMDColorCombobox",      "TLMDFontCombobox",
                    "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",   "TLMDPrinterCombobox",
                    "TLMDDriveCombobox",    "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                    "TLMDCalendarComboBox", "TLMDTreeComboBox",       "TWWTempKeyCombo"}},
      {"speedbutton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"}},
      {"panel", {"TRzGroup", "TLMDCalculator", "TLMDTrackbar"}},
      {"button", {"TRzButton"}},
      {"bitbtn", {"TRzBitbtn", "TLMDButton", "TcxButton"}},
      {"menubtn", {"TRzMenuButton"}},
      {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
      {"Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup"}},
      {"Edit", {"TRzButtonEdit",     "TLMDEDIT",           "TLMDMASKEDIT",     "TLMDBROWSEEDIT",
                "TLMDEXTSPINEDIT",   "TLMDCALENDAREDIT",   "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT",
                "TLMDCOLOREDIT",     "TLMDDBEDIT",         "TLMDDBMASKEDIT",   "TLMDDBEXTSPINEDIT",
                "TLMDDBSPINEDIT",    "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TWWDBEDIT",
                "TOVCPICTUREFIELD",  "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",   "TOVCDBSLIDEREDIT",
                "TOVCSIMPLEFIELD",   "TOVCDBSIMPLEFIELD",  "TO32DBFLEXEDIT",   "TOVCNUMERICFIELD",
                "TOVCDBNUMERICFIELD"}},
      {"Radiobutton", {"TRzDBRadioButton", "TLMDRadiobutton"}},
      {"Groupbox", {"TLMDGroupBox"}},
      {"Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"}},
      {"radiogroup",
       {"TLMDRADIOGROUP", "TLMDDBRADIOGROUP", "TWWRADIOGROUP", "TcxDBRadioGroup", "TcxRadioGroup"}},
      {"edit", {"TLMDCalculatorEdit"}},
      {"Combobox",
       {"TDBLookupCombobox", "TWWDBCombobox", "TWWDBCombobox", "TWWDBLookupCombo", "TWWKeyCombo",
        "TWWDBDateTimePicker"}},
      {"groupbox", {"TcxGroupbox"}},
  };
  return groups;
}

}  // namespace

const std::vector<std::string>& DefaultSkin3rd() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    for (const KindGroup& g : Groups())
      for (const char* cls : g.classes) out.push_back(std::string(cls) + "=" + g.kind);
    return out;
  }();
  return lines;
}

}  // namespace velotune::skin
