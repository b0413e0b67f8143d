// Which wrapper a control gets: the class-name mapping of the skin
// component's Skin3rd lines, then the built-in rules, both as data tables,
// and the pure choice over a control's facts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "skin/data/skin_types.h"

namespace velotune::skin {

// Every wrapper a rule can name. Wrappers that are not built yet leave their
// controls with the system look (see the wrapper registry).
enum WrapperKind : int {
  wkNone,
  wkSkinTab,
  wkSkinTabBtn,
  wkSkinTab31,
  wkSkinTabSheet,
  wkSkinCheckBox,
  wkSkinTrackBar,
  wkSkinUpDown,
  wkSkinMP,
  wkSkinBox,
  wkSkinObjImage,
  wkSkinGroupBox,
  wkSkinRadioButton,
  wkSkinStatusBar,
  wkSkinComBox,
  wkSkinScrollbar,
  wkSkinSpeedButton,
  wkSkinButton,
  wkSkinEdit,
  wkSkinBitButton,
  wkSkinMenuButton,
  wkSkinDateTime,
  wkSkinProgress,
  wkSkinAdvPage,
  kWrapperKindCount
};

const char* WrapperName(WrapperKind kind);

// What a control is, as far as the rules ask: class family bits.
enum ControlTrait : unsigned {
  ctCustomTabControl = 1u << 0,
  ctPageControl = 1u << 1,
  ctTabsStyle = 1u << 2,  // a page control whose Style is tsTabs
  ctTabSheet = 1u << 3,
  ctCustomCheckBox = 1u << 4,
  ctTrackBar = 1u << 5,
  ctCustomGroupBox = 1u << 6,
  ctRadioButton = 1u << 7,
  ctCustomStatusBar = 1u << 8,
  ctCustomComboBox = 1u << 9,
  ctSpeedButton = 1u << 10,
  ctCustomPanel = 1u << 11,
  ctCustomMemo = 1u << 12,
  ctWindowed = 1u << 13,
  ctScrollStyle = 1u << 14,  // WS_HSCROLL or WS_VSCROLL
  ctScrollBox = 1u << 15,
  ctButton = 1u << 16,
  ctCustomEdit = 1u << 17,
  ctCustomForm = 1u << 18,
};

struct ControlFacts {
  std::string className;  // as the class reports it, any case
  unsigned traits = 0;
  int numButtons = -1;     // the "NumButtons" property, -1 when there is none
  std::string buttonKind;  // the "Kind" property, empty when there is none
};

struct WrapSettings {
  EnumSet skinControls = 0;
  bool tabImages = false;  // the skin has tab images
  std::vector<std::string> skin3rd;
};

struct WrapChoice {
  int rule = 0;              // the built-in rule that decided, 1..30; 0 for none
  bool fromSkin3rd = false;  // a Skin3rd line decided
  std::string skin3rdKind;
  bool leaveAlone = false;  // excluded by class: nothing is done
  WrapperKind wrapper = wkNone;
  bool fill = false;            // fill background
  int mode = 0;                 // the member's mode or image kind
  bool childrenFirst = false;   // WrapChildren before the wrapper
  bool childrenAfter = false;   // WrapControl on each child after it
  bool ownedAfter = false;      // WrapControl on each owned control after it
  bool setTransparent = false;  // "Transparent" := "True" first
  bool attachToWindow = false;  // attached to the window handle
  bool extendedCombo = false;
  bool pngGlyph = false;
  bool singleScrollbar = false;
  // Radio and check groups and embedded scroll bars: each child gets this.
  WrapperKind childWrapper = wkNone;
  int childMode = 0;
  bool childScrollOnly = false;  // only windowed children with scroll bars
};

// The kind of the first line "class=kind" whose class equals className,
// ignoring case (at most 50 characters of kind); nothing when no line matches.
std::optional<std::string> FindSkin3rdKind(const std::vector<std::string>& lines,
                                           const std::string& className);

// The mapping's effect for a kind; a kind it does not know, or whose
// condition is not met, still counts: the control stays unskinned.
WrapChoice ChooseBySkin3rdKind(const std::string& kind, const ControlFacts& facts,
                               const WrapSettings& settings);

// Skin3rd first, then the excluded classes, then the first built-in rule that
// matches.
WrapChoice ChooseWrapper(const ControlFacts& facts, const WrapSettings& settings);

}  // namespace velotune::skin
