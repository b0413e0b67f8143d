#include "skin/manager/wrap_rules.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "platform/text_case.h"
#include "skin/controls/wrapper_states.h"

namespace velotune::skin {

namespace {

const char* const kWrapperNames[kWrapperKindCount] = {
    "",
    "TSkinTab",
    "TSkinTabBtn",
    "TSkinTab31",
    "TSkinTabSheet",
    "TSkinCheckBox",
    "TSkinTrackBar",
    "TSkinUpDown",
    "TSkinMP",
    "TSkinBox",
    "TSkinObjImage",
    "TSkinGroupBox",
    "TSkinRadioButton",
    "TSkinStatusBar",
    "TSkinComBox",
    "TSkinScrollbar",
    "TSkinSpeedButton",
    "TSkinButton",
    "TSkinEdit",
    "TSkinBitButton",
    "TSkinMenuButton",
    "TSkinDateTime",
    "TSkinProgress",
    "TSkinAdvPage",
};

// The condition a rule needs: a member of SkinControls, tab images, or nothing.
constexpr int kNoCondition = -1;
constexpr int kTabs = -2;

bool ConditionHolds(int condition, const WrapSettings& s) {
  if (condition == kNoCondition) return true;
  if (condition == kTabs) return InSet(s.skinControls, xcTab) && s.tabImages;
  return InSet(s.skinControls, condition);
}

enum Then : unsigned {
  kAttach = 0,
  kChildrenFirst = 1,
  kChildrenAfter = 2,
  kOwnedAfter = 4,
  kChildrenOnly = 8,
  kToWindow = 16,
};

struct Rule {
  int order;
  unsigned traitsAll;                        // every one of these traits
  unsigned traitsNone;                       // none of these
  std::initializer_list<const char*> names;  // or one of these class names
  int condition;
  int numButtons;  // -1: not asked
  WrapperKind wrapper;
  bool fill;
  int mode;
  unsigned then;
};

// In order; the first that matches decides. A rule with names matches by
// class name, else by traits.
const Rule kRules[] = {
    {1, ctCustomTabControl, ctPageControl, {}, kTabs, -1, wkSkinTab, false, wmTabControl, kAttach},
    {1, ctPageControl, ctTabsStyle, {}, kTabs, -1, wkSkinTabBtn, false, 0, kAttach},
    {1, ctPageControl, 0, {}, kTabs, -1, wkSkinTab, false, 0, kAttach},
    {2, 0, 0, {"TTABSET"}, kTabs, -1, wkSkinTab31, false, 0, kAttach},
    {3, ctTabSheet, 0, {}, kTabs, -1, wkSkinTabSheet, false, 0, kAttach},
    {4, 0, 0, {"TTABBEDNOTEBOOK"}, kTabs, -1, wkSkinTab, false, 0, kAttach},
    {5, 0, 0, {"TMVCPANEL"}, kNoCondition, -1, wkNone, false, 0, kChildrenOnly},
    {6, ctCustomCheckBox, 0, {}, xcCheckBox, -1, wkSkinCheckBox, false, 0, kAttach},
    {7, ctTrackBar, 0, {}, xcTrackBar, -1, wkSkinTrackBar, false, 0, kAttach},
    {8, 0, 0, {"TUPDOWN", "TSPINBUTTON"}, xcSpin, -1, wkSkinUpDown, false, 0, kAttach},
    {9, 0, 0, {"TMEDIAPLAYER"}, xcButton, -1, wkSkinMP, false, 0, kAttach},
    {10, 0, 0, {"TDBNAVIGATOR"}, xcPanel, -1, wkSkinBox, true, 0, kChildrenAfter},
    {11, 0, 0, {"TRZDBCHECKBOX", "TRZCHECKBOX"}, xcCheckBox, -1, wkSkinObjImage, true, 1, kAttach},
    {12,
     0,
     0,
     {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"},
     xcRadioButton,
     -1,
     wkSkinObjImage,
     true,
     2,
     kAttach},
    {13, 0, 0, {"TCXDBCHECKBOX", "TCXCHECKBOX"}, xcCheckBox, -1, wkSkinObjImage, true, 3, kAttach},
    {14, ctCustomGroupBox, 0, {}, xcPanel, -1, wkSkinGroupBox, false, 0, kChildrenFirst},
    {15, ctRadioButton, 0, {}, xcRadioButton, -1, wkSkinRadioButton, false, 0, kAttach},
    {16, ctCustomStatusBar, 0, {}, xcStatusBar, -1, wkSkinStatusBar, false, 0, kAttach},
    {17, 0, 0, {"TTNTCOMBOBOX"}, xcCombo, -1, wkSkinComBox, false, 0, kAttach},
    {18, ctCustomComboBox, 0, {}, xcCombo, -1, wkSkinComBox, false, 0, kAttach},
    {19, 0, 0, {"TRICHEDIT"}, xcScrollbar, -1, wkSkinScrollbar, false, 0, kAttach},
    {20, 0, 0, {"TWWDBRICHEDIT", "TDXDBMEMO"}, xcScrollbar, -1, wkSkinScrollbar, false, 0, kAttach},
    {21, ctSpeedButton, 0, {}, xcSpeedButton, -1, wkSkinSpeedButton, false, 0, kAttach},
    {22, ctCustomPanel, 0, {}, xcPanel, -1, wkSkinBox, true, 0, kChildrenFirst},
    {23,
     0,
     0,
     {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"},
     xcScrollbar,
     -1,
     wkSkinScrollbar,
     false,
     0,
     kAttach},
    {24, ctCustomMemo, 0, {}, xcScrollbar, -1, wkSkinScrollbar, false, 0, kAttach},
    {25, ctWindowed | ctScrollStyle, 0, {}, xcScrollbar, -1, wkSkinScrollbar, false, 0, kAttach},
    {25, ctScrollBox, 0, {}, xcScrollbar, -1, wkSkinScrollbar, false, 0, kAttach},
    {26, ctButton, 0, {}, xcButton, -1, wkSkinButton, false, 0, kAttach},
    {27, ctCustomEdit, 0, {}, xcEdit, -1, wkSkinEdit, false, 0, kAttach},
    {28, ctCustomForm, 0, {}, kNoCondition, -1, wkSkinBox, true, 0, kOwnedAfter},
    {29, 0, 0, {"TDCEDIT", "TDCDBEDIT"}, xcCombo, 1, wkSkinComBox, false, 0, kAttach},
    {30, 0, 0, {"TDCEDIT", "TDCDBEDIT"}, xcEdit, 0, wkSkinEdit, false, 0, kToWindow},
};

const char* const kLeftAlone[] = {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"};

bool RuleMatches(const Rule& rule, const std::string& upperClass, const ControlFacts& facts) {
  if (rule.names.size() > 0) {
    if (std::none_of(rule.names.begin(), rule.names.end(),
                     [&](const char* n) { return upperClass == n; }))
      return false;
  } else if ((facts.traits & rule.traitsAll) != rule.traitsAll ||
             (facts.traits & rule.traitsNone) != 0) {
    return false;
  }
  // Rule 28 is for forms of any class but the two edit classes of rules 29, 30.
  if (rule.order == 28 && (upperClass == "TDCEDIT" || upperClass == "TDCDBEDIT")) return false;
  return rule.numButtons < 0 || rule.numButtons == facts.numButtons;
}

void ApplyThen(WrapChoice& choice, unsigned then) {
  choice.childrenFirst = (then & (kChildrenFirst | kChildrenOnly)) != 0;
  choice.childrenAfter = (then & kChildrenAfter) != 0;
  choice.ownedAfter = (then & kOwnedAfter) != 0;
  choice.attachToWindow = (then & kToWindow) != 0;
}

// One Skin3rd kind: its condition, wrapper and what else happens.
struct KindRow {
  const char* kind;
  int condition;
  WrapperKind wrapper;
  bool fill;
  int mode;
  unsigned then;
};

const KindRow kKinds[] = {
    {"combobox", xcCombo, wkSkinComBox, false, 0, kAttach},
    {"comboboxex", xcCombo, wkSkinComBox, false, 0, kAttach},
    {"edit", xcEdit, wkSkinEdit, false, 0, kAttach},
    {"radiobutton", xcRadioButton, wkSkinRadioButton, false, 0, kAttach},
    {"panel", xcPanel, wkSkinBox, true, 0, kAttach},
    {"trackbar", xcTrackBar, wkSkinTrackBar, false, 0, kAttach},
    {"button", xcButton, wkSkinButton, false, 0, kAttach},
    {"datetimepicker", xcCombo, wkSkinDateTime, false, 0, kAttach},
    {"mediaplayer", xcButton, wkSkinMP, false, 0, kAttach},
    {"bitbtn", xcButton, wkSkinBitButton, false, 0, kAttach},
    {"pngbitbtn", xcButton, wkSkinBitButton, false, 0, kAttach},
    {"pngspeedbutton", xcButton, wkSkinSpeedButton, false, 0, kAttach},
    {"menubtn", xcButton, wkSkinMenuButton, false, 0, kAttach},
    {"speedbutton", xcSpeedButton, wkSkinSpeedButton, false, 0, kAttach},
    {"tab", kTabs, wkSkinTab, false, 0, kAttach},
    {"progress", xcProgress, wkSkinProgress, false, 0, kAttach},
    {"scrollbar", xcScrollbar, wkSkinScrollbar, false, 0, kChildrenFirst},
    {"singlescrollbar", xcScrollbar, wkSkinScrollbar, false, 0, kAttach},
    {"embedscrollbar", xcScrollbar, wkNone, false, 0, kAttach},
    {"container", kNoCondition, wkNone, false, 0, kChildrenOnly},
    {"groupbox", xcGroupBox, wkSkinGroupBox, true, 0, kAttach},
    {"advpagecontrol", xcTab, wkSkinAdvPage, true, 4, kAttach},
    {"radiogroup", xcGroupBox, wkSkinGroupBox, true, 0, kAttach},
    {"checkgroup", xcPanel, wkNone, false, 0, kAttach},
    {"checkbox", xcCheckBox, wkSkinCheckBox, false, 0, kAttach},
};

}  // namespace

const char* WrapperName(WrapperKind kind) {
  return kind >= 0 && kind < kWrapperKindCount ? kWrapperNames[kind] : "";
}

std::optional<std::string> FindSkin3rdKind(const std::vector<std::string>& lines,
                                           const std::string& className) {
  const std::string prefix = className + "=";
  for (const std::string& line : lines) {
    if (SameTextAt(line, 0, prefix)) return line.substr(prefix.size(), 50);
  }
  return std::nullopt;
}

WrapChoice ChooseBySkin3rdKind(const std::string& rawKind, const ControlFacts& facts,
                               const WrapSettings& s) {
  WrapChoice choice;
  choice.fromSkin3rd = true;
  choice.skin3rdKind = rawKind;
  const std::string kind = LowerText(rawKind);
  if (kind == "nil") return choice;
  const auto row = std::find_if(std::begin(kKinds), std::end(kKinds),
                                [&](const KindRow& r) { return kind == r.kind; });
  if (row == std::end(kKinds) || !ConditionHolds(row->condition, s)) return choice;
  choice.wrapper = row->wrapper;
  choice.fill = row->fill;
  choice.mode = row->mode;
  ApplyThen(choice, row->then);
  const bool trz = UpperText(facts.className).find("TRZ") != std::string::npos;
  if (kind == "comboboxex") choice.extendedCombo = true;
  if (kind == "panel" || kind == "trackbar") choice.setTransparent = true;
  if (kind == "pngbitbtn" || kind == "pngspeedbutton") choice.pngGlyph = true;
  if (kind == "singlescrollbar") choice.singleScrollbar = true;
  if (kind == "bitbtn" && SameText(facts.className, "tcxbutton") &&
      facts.buttonKind == "cxbkDropDownButton")
    choice.wrapper = wkSkinMenuButton;
  if (kind == "embedscrollbar") {
    choice.childWrapper = wkSkinScrollbar;
    choice.childScrollOnly = true;
  }
  if (kind == "radiogroup" && InSet(s.skinControls, xcRadioButton)) {
    choice.childWrapper = trz ? wkSkinObjImage : wkSkinRadioButton;
    choice.childMode = trz ? 2 : 0;
  }
  if (kind == "checkgroup") {
    if (InSet(s.skinControls, xcRadioButton)) {
      choice.childWrapper = trz ? wkSkinObjImage : wkSkinCheckBox;
      choice.childMode = trz ? 1 : 0;
    }
    if (InSet(s.skinControls, xcGroupBox)) {
      choice.wrapper = wkSkinGroupBox;
      choice.fill = true;
    }
  }
  return choice;
}

WrapChoice ChooseWrapper(const ControlFacts& facts, const WrapSettings& s) {
  if (std::optional<std::string> kind = FindSkin3rdKind(s.skin3rd, facts.className))
    return ChooseBySkin3rdKind(*kind, facts, s);
  WrapChoice choice;
  const std::string upper = UpperText(facts.className);
  if (std::any_of(std::begin(kLeftAlone), std::end(kLeftAlone),
                  [&](const char* n) { return upper == n; })) {
    choice.leaveAlone = true;
    return choice;
  }
  for (const Rule& rule : kRules) {
    if (!RuleMatches(rule, upper, facts) || !ConditionHolds(rule.condition, s)) continue;
    choice.rule = rule.order;
    choice.wrapper = rule.wrapper;
    choice.fill = rule.fill;
    choice.mode = rule.mode;
    ApplyThen(choice, rule.then);
    return choice;
  }
  return choice;
}

}  // namespace velotune::skin
