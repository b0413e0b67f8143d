// The skinned menus' decisions and pixel work, free of the platform: where the
// menu-bar items lie, which item an accelerator or an arrow key opens, how
// wide an owner-drawn item is measured, where an item's glyph, caption and
// shortcut go, and the item's background cut from the skin's images.
#pragma once

#include <string>
#include <vector>

#include "skin/data/bitmap.h"
#include "skin/data/bitmap_ops.h"
#include "skin/data/skin_objects.h"
#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

// ----------------------------------------------------------------- menu bar

// The bar object's margins, when the skin has a menu-bar object.
struct BarObject {
  bool present = false;
  int leftMargin = 0;
  int rightMargin = 0;
};

// The offset of the first item from the strip's start (its left end, or its
// right end for a right-to-left menu).
int MenuBarStart(int stripWidth, const BarObject& bar, bool rightToLeft,
                 const DpiScale& scale = DpiScale());

struct BarItemFacts {
  bool visible = true;
  int captionWidth = 0;  // measured, single line
  bool emptyCaption = false;
};

// The items' rectangles in window coordinates: each visible item is its
// caption's width + 10 wide (0 with an empty caption), from the start offset
// on, one row high; invisible items get an empty rectangle.
std::vector<Rect> LayoutMenuBarItems(const Rect& strip, int start,
                                     const std::vector<BarItemFacts>& items, bool rightToLeft,
                                     const DpiScale& scale = DpiScale());

// The accelerator of a caption: the character after a single "&" ("&&" is a
// literal ampersand), in lower case; 0 when there is none.
wchar_t AcceleratorOf(const std::wstring& caption);

struct BarKeyFacts {
  std::wstring caption;
  bool visible = true;
  bool enabled = true;
};

// The first enabled visible item whose accelerator is `key` (any case); key
// 0 gives the first visible item with a caption. -1 when none matches.
int FindAcceleratorItem(const std::vector<BarKeyFacts>& items, wchar_t key);

// The next item from `from` in direction `step` (+1 or -1), wrapping round
// the bar, among those that can open a popup; -1 when no other one can.
int NextOpenableItem(const std::vector<bool>& openable, int from, int step);

// --------------------------------------------------------------- measuring

enum class ItemMeasure {
  kPopupOrSystem,  // a form's popup menu, or the system menu
  kMainMenuSub     // an item below the top level of a form's main menu
};

// The owner-drawn width from the framework's own measure: + the "MenuItem"
// left margin (0 without that object) + 12 (popups) or + 10 (main menu), and
// + 23 or + 25 more when the menu has no image list.
int SkinnedItemWidth(ItemMeasure kind, int width, int itemLeftMargin, bool hasImageList,
                     const DpiScale& scale = DpiScale());

struct ItemSize {
  int width = 0;
  int height = 0;
};

// An entry of a bar popup that the framework did not make: its text's width
// + 26 (+ the left margin); its text's height + 4, or 8 for a separator.
ItemSize ForeignItemSize(int textWidth, int textHeight, bool emptyText, int itemLeftMargin,
                         const DpiScale& scale = DpiScale());

// ---------------------------------------------------------- item content

struct ItemContentInput {
  Rect rect;               // the item's rectangle
  int itemLeftMargin = 0;  // of the "MenuItem" object, 0 without it
  int glyphSize = 16;      // the image list's width, 16 without a list
  bool checked = false;
  bool separator = false;
  bool rightToLeft = false;
  int captionHeight = 0;  // measured
  DpiScale scale;         // of the window the menu shows for
};

struct ItemContentLayout {
  bool hasGlyph = false;
  Rect glyph;     // the glyph box
  Rect caption;   // where the caption is drawn (left-aligned, or right for RTL)
  Rect shortcut;  // the shortcut's area: right-aligned at its right end (left for RTL)
};

// Glyph box at the item's left + 1 (+ margin), top + 1, glyph-sized (at
// least 16 for a checked item); the caption from the glyph's right + 3 to the
// item's right - 1, centred vertically; the shortcut ending 10 pixels before
// the item's right end. A right-to-left item is the mirror image.
ItemContentLayout LayoutItemContent(const ItemContentInput& in);

// ------------------------------------------------------------ item images

// The separator cut from frame 2 of the "MenuItem" image: the bottom rows as
// high as the item (the whole frame when the item is higher, centred), its
// left-margin part at the rectangle's left end, its right-margin part at the
// right end, the middle stretched between; magenta stays out.
void PaintMenuSeparator(Bitmap& dst, const Rect& rect, const TDataSkinObject& menuItem);

// What lies under an owner-drawn item before its content: `under` (the popup's
// background under the item, the same size as the item), then the
// "MenuItem" frame 1 (normal) or 4 (selected) over the whole item with its
// margins, transparency and tiling, or for a separator only the separator.
Bitmap MenuItemBackground(const Bitmap& under, const TDataSkinObject& menuItem, bool selected,
                          bool separator);

// The popup window's background: the "MenuBackground" image over the whole
// window with its margins and tiling.
Bitmap PopupBackground(int width, int height, const TDataSkinObject& menuBackground);

}  // namespace velotune::skin
