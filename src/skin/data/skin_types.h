// The enumerations of the skin component, in ordinal order (set properties are
// bit sets over these ordinals), with their stored names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune::skin {

enum TSkinOption : int {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar,
  kSkinOptionCount
};

enum TSkinControlType : int {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
  kSkinControlTypeCount
};

enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL, kSkinFormTypeCount };

// A set over an enumeration's ordinals.
using EnumSet = uint32_t;
constexpr EnumSet SetOf(int member) {
  return EnumSet{1} << member;
}
template <typename... M>
constexpr EnumSet SetOf(int first, M... rest) {
  return SetOf(first) | SetOf(rest...);
}
constexpr bool InSet(EnumSet set, int member) {
  return (set & SetOf(member)) != 0;
}
constexpr EnumSet AllOf(int count) {
  return (EnumSet{1} << count) - 1;
}

// Stored names by ordinal.
extern const char* const kSkinOptionNames[kSkinOptionCount];
extern const char* const kSkinControlTypeNames[kSkinControlTypeCount];
extern const char* const kSkinFormTypeNames[kSkinFormTypeCount];

// The ordinal of a stored name (ignoring case), or -1.
int EnumOrdinal(const char* const* names, int count, const std::string& name);
// A set as stored in a form description: "[xoPreview, xoToolbarBK]".
std::string FormatSet(const char* const* names, int count, EnumSet set);
// Parses "[a, b]" (brackets optional); false on an unknown member.
bool ParseSet(const char* const* names, int count, const std::string& text, EnumSet* set);

// The class-name-to-kind lines a new component starts with.
const std::vector<std::string>& DefaultSkin3rd();

}  // namespace velotune::skin
