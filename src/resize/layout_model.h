// The resize kit's view of a form as plain data: the form's components with
// their bounds and fonts, the kit's per-control records and its scale state.
// The window side copies a real form into a FormModel, lets the layout
// functions work on it and writes the changes back.
#pragma once

#include <string>
#include <vector>

#include "resize/geometry.h"
#include "resize/name_list.h"

namespace velotune {

// One component the form owns; only controls take part in the layout.
struct ControlModel {
  std::string name;
  bool isControl = true;
  KitBounds bounds;
  bool hasFont = true;
  int fontSize = 8;
  bool parentFont = false;
  bool hasCaption = false;
  std::string caption;
  bool hasText = false;
  std::string text;
};

enum class FormBorder { kSizeable, kDialog, kNone };

struct FormModel {
  std::string name;
  int fontSize = 8;
  FormBorder border = FormBorder::kSizeable;
  bool maximized = false;
  std::vector<ControlModel> components;  // in the form's component order
};

// What the kit remembers about one resized control.
struct CtrlInfo {
  std::string name;
  KitBounds design;     // bounds as the form was designed (at the design DPI)
  int designFontSize = 0;  // font size as designed
  KitBounds base;  // bounds at scale 1.0
  KitBounds last;  // bounds after the last rescale
  int lastFontSize = 0;
  bool hasBaseFont = false;
  int baseFontSize = 0;
  bool parentFontNow = true;
  bool parentFontKnown = true;
};

// The stored design values and the settings the layout depends on.
struct LayoutSettings {
  int designFrmW = 0;
  int designFrmH = 0;
  int designDpiW = 0;
  int designDpiH = 0;
  int formWidth = 0;  // first-show outer size; 0 = keep
  int formHeight = 0;
  bool resizeFont = true;
  NameList noResizeFnt;
  NameList noResize;
};

// The kit's runtime layout state.
struct KitLayout {
  int screenDpiX = 0;
  int screenDpiY = 0;
  double xScale = 1.0;
  double yScale = 1.0;
  double fontScale = 1.0;
  int formFontSize = 0;
  int designFormFontSize = 0;
  std::vector<CtrlInfo> ctrlInfos;
  int knownComponentCount = 0;
  int autoNameCounter = 0;
  bool sized = false;

  // The record for a name (exact comparison), or null.
  CtrlInfo* Find(const std::string& name);

 private:
  std::size_t findHint_ = 0;  // records are mostly looked up in their own order
};

}  // namespace velotune
