#include "skin/menus/menu_logic.h"

#include <algorithm>
#include <cwctype>

namespace velotune::skin {

namespace {
// Pixels at 96 dots per inch, through the window's scale.
constexpr int kPlainStart = 6;
constexpr int kNarrowStart = 12;
constexpr int kItemPadding = 10;
constexpr int kGlyphBox = 16;
constexpr int kMenuItemFrames = 5;
constexpr int kSeparatorFrame = 2;
constexpr int kSelectedFrame = 4;
}  // namespace

int MenuBarStart(int stripWidth, const BarObject& bar, bool rightToLeft, const DpiScale& scale) {
  int start = scale.Px(kPlainStart);
  if (bar.present)
    start = rightToLeft ? scale.Px(bar.rightMargin + 8) : scale.Px(bar.leftMargin + 4);
  return stripWidth < start ? scale.Px(kNarrowStart) : start;
}

std::vector<Rect> LayoutMenuBarItems(const Rect& strip, int start,
                                     const std::vector<BarItemFacts>& items, bool rightToLeft,
                                     const DpiScale& scale) {
  std::vector<Rect> rects;
  rects.reserve(items.size());
  int x = rightToLeft ? strip.right - start : strip.left + start;
  for (const BarItemFacts& item : items) {
    if (!item.visible) {
      rects.push_back(Rect{});
      continue;
    }
    const int width = item.emptyCaption ? 0 : item.captionWidth + scale.Px(kItemPadding);
    if (rightToLeft) {
      rects.push_back(Rect{x - width, strip.top, x, strip.bottom - scale.Px(1)});
      x -= width;
    } else {
      rects.push_back(Rect{x, strip.top, x + width, strip.bottom - scale.Px(1)});
      x += width;
    }
  }
  return rects;
}

wchar_t AcceleratorOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;  // a literal ampersand
      continue;
    }
    return static_cast<wchar_t>(std::towlower(caption[i + 1]));
  }
  return 0;
}

int FindAcceleratorItem(const std::vector<BarKeyFacts>& items, wchar_t key) {
  const wchar_t wanted = static_cast<wchar_t>(std::towlower(key));
  for (size_t i = 0; i < items.size(); ++i) {
    const BarKeyFacts& item = items[i];
    if (!item.visible || item.caption.empty()) continue;
    if (key == 0) return static_cast<int>(i);
    if (item.enabled && AcceleratorOf(item.caption) == wanted) return static_cast<int>(i);
  }
  return -1;
}

int NextOpenableItem(const std::vector<bool>& openable, int from, int step) {
  const int count = static_cast<int>(openable.size());
  if (count == 0) return -1;
  for (int k = 1; k < count; ++k) {
    const int i = ((from + step * k) % count + count) % count;
    if (openable[i]) return i;
  }
  return -1;
}

int SkinnedItemWidth(ItemMeasure kind, int width, int itemLeftMargin, bool hasImageList,
                     const DpiScale& scale) {
  const bool popup = kind == ItemMeasure::kPopupOrSystem;
  width += scale.Px(itemLeftMargin + (popup ? 12 : 10));
  if (!hasImageList) width += scale.Px(popup ? 23 : 25);
  return width;
}

ItemSize ForeignItemSize(int textWidth, int textHeight, bool emptyText, int itemLeftMargin,
                         const DpiScale& scale) {
  return ItemSize{textWidth + scale.Px(26 + itemLeftMargin),
                  emptyText ? scale.Px(8) : textHeight + scale.Px(4)};
}

ItemContentLayout LayoutItemContent(const ItemContentInput& in) {
  ItemContentLayout out;
  const Rect& r = in.rect;
  const DpiScale& scale = in.scale;
  const int one = scale.Px(1);
  int textLeft = r.left + one;
  if (!in.separator) {
    const int size = in.checked ? std::max(scale.Px(kGlyphBox), in.glyphSize) : in.glyphSize;
    const int left = r.left + scale.Px(1 + in.itemLeftMargin);
    out.hasGlyph = true;
    out.glyph = Rect{left, r.top + one, left + size, r.top + one + size};
    textLeft = out.glyph.right + scale.Px(3);
  }
  const int top = r.top + (r.Height() - in.captionHeight) / 2;
  out.caption = Rect{textLeft, top, std::max(textLeft, r.right - one), top + in.captionHeight};
  out.shortcut =
      Rect{textLeft, top, std::max(textLeft, r.right - scale.Px(10)), top + in.captionHeight};
  if (in.rightToLeft) {
    // The mirror image about the item's vertical centre line.
    auto mirror = [&r](Rect& x) {
      const int left = r.left + r.right - x.right;
      x.right = r.left + r.right - x.left;
      x.left = left;
    };
    if (out.hasGlyph) mirror(out.glyph);
    mirror(out.caption);
    mirror(out.shortcut);
  }
  return out;
}

void PaintMenuSeparator(Bitmap& dst, const Rect& rect, const TDataSkinObject& menuItem) {
  const Bitmap& image = menuItem.Map;
  if (image.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  const Rect frame = FrameRect(image, kMenuItemFrames, kSeparatorFrame, false);
  const int height = std::min(rect.Height(), frame.Height());
  const int top = rect.top + (rect.Height() - height) / 2;
  const int srcTop = frame.bottom - height;
  int left = menuItem.LeftWidth, right = menuItem.RightWidth;
  if (left + right > frame.Width() || left + right > rect.Width()) left = right = 0;
  const int bottom = top + height;
  StretchCopy(dst, {rect.left, top, rect.left + left, bottom}, image,
              {frame.left, srcTop, frame.left + left, frame.bottom}, true);
  StretchCopy(dst, {rect.right - right, top, rect.right, bottom}, image,
              {frame.right - right, srcTop, frame.right, frame.bottom}, true);
  StretchCopy(dst, {rect.left + left, top, rect.right - right, bottom}, image,
              {frame.left + left, srcTop, frame.right - right, frame.bottom}, true);
}

Bitmap MenuItemBackground(const Bitmap& under, const TDataSkinObject& menuItem, bool selected,
                          bool separator) {
  Bitmap out = under;
  const Rect all{0, 0, out.Width(), out.Height()};
  if (separator) {
    PaintMenuSeparator(out, all, menuItem);
    return out;
  }
  const Bitmap item =
      NineGrid(out.Width(), out.Height(), menuItem.Map,
               {menuItem.LeftWidth, menuItem.TopHeight, menuItem.RightWidth, menuItem.BottomHeight},
               false, menuItem.Tile != 0, kMenuItemFrames, selected ? kSelectedFrame : 1);
  StretchCopy(out, all, item, all, menuItem.Trans != 0);
  return out;
}

Bitmap PopupBackground(int width, int height, const TDataSkinObject& menuBackground) {
  const TDataSkinObject& b = menuBackground;
  return NineGrid(width, height, b.Map, {b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight},
                  false, b.Tile != 0, 1, 1);
}

}  // namespace velotune::skin
