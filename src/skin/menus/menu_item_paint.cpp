// Owner-drawn menu items in the skin's look.
#include "skin/menus/menu_item_paint.h"

#include <algorithm>
#include <memory>

#include "framework/image_list.h"
#include "framework/menus.h"
#include "skin/data/colour.h"
#include "skin/menus/pop_menu.h"
#include "skin/paint/gdi_objects.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

namespace {

constexpr int kMaxEntryText = 80;
// The glyph box of an item without an image list (pixels at 96 dots per inch).
constexpr int kGlyphBox = 16;

const TDataSkinObject* MenuItemImage(const TSkinData& data) {
  const TDataSkinObject* image = data.Part(spMenuItem);
  return image && !image->Map.Empty() ? image : nullptr;
}

int ItemLeftMargin(const TSkinData& data) {
  const TDataSkinObject* image = MenuItemImage(data);
  return image ? image->LeftWidth : 0;
}

const TImageList* ImagesOf(const TMenuItem& item) {
  const TMenu* menu = item.Menu();
  return menu ? menu->Images() : nullptr;
}

bool RightToLeft(const TMenuItem& item) {
  const TMenu* menu = item.Menu();
  return menu && menu->IsRightToLeft();
}

COLORREF Colour(const TSkinData& data, int entry) {
  return ResolveColour(data.Colour(entry));
}

// The glyph box of a checked item with an image: a checker of the face and
// highlight colours in a sunken edge.
void CheckedImageBox(HDC dc, const Rect& box) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  OwnedBitmap bits(CreateBitmap(8, 8, 1, 1, pattern));
  OwnedBrush brush(CreatePatternBrush(bits.Get()));
  RECT r{box.left, box.top, box.right, box.bottom};
  const COLORREF oldText = SetTextColor(dc, face), oldBack = SetBkColor(dc, light);
  FillRect(dc, &r, brush.Get());
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  RECT edge{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
}

// A caption that is empty or only "&" still takes a blank's room.
std::string MeasuredCaption(const std::string& caption) {
  return caption.empty() || caption == "&" ? caption + " " : caption;
}

// A temporary framework item standing for an entry the framework did not
// make: its caption before the tab, the shortcut after it when it reads as
// one (else the tab stays in the caption).
std::unique_ptr<TMenuItem> StandIn(const ForeignEntry& entry) {
  auto item = std::make_unique<TMenuItem>(nullptr);
  std::string caption = entry.text.empty() ? "-" : entry.text;
  const size_t tab = caption.find('\t');
  if (tab != std::string::npos) {
    const TShortCut shortCut = TextToShortCut(caption.substr(tab + 1));
    if (shortCut != scNone) {
      item->SetShortCut(shortCut);
      caption.resize(tab);
    }
  }
  item->SetCaption(caption);
  item->SetEnabled(entry.enabled);
  item->SetChecked(entry.checked);
  return item;
}

}  // namespace

HFONT CreateMenuFont(bool bold, const DpiScale& scale) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
  metrics.lfMenuFont.lfHeight = scale.Px(metrics.lfMenuFont.lfHeight);
  return CreateFontIndirectA(&metrics.lfMenuFont);
}

int MeasureMenuItemWidth(ItemMeasure kind, const TMenuItem& item, int width, const TSkinData& data,
                         const DpiScale& scale) {
  return SkinnedItemWidth(kind, width, ItemLeftMargin(data), ImagesOf(item) != nullptr, scale);
}

void MeasureMenuItem(ItemMeasure kind, const TMenuItem& item, const TSkinData& data,
                     MEASUREITEMSTRUCT& measure, const DpiScale& scale) {
  int width = 0, height = 0;
  {
    // Released on every way out, an exception's too.
    WindowDC screen(nullptr, false);
    item.DefaultMeasure(screen.Get(), &width, &height);
  }
  measure.itemWidth =
      static_cast<UINT>(std::max(0, MeasureMenuItemWidth(kind, item, width, data, scale)));
  measure.itemHeight = static_cast<UINT>(std::max(0, height));
}

void PaintMenuItemContent(HDC dc, const TMenuItem& item, unsigned state, const RECT& rect,
                          const TSkinData& data, const DpiScale& scale) {
  const bool selected = (state & ODS_SELECTED) != 0;
  const TImageList* images = ImagesOf(item);
  OwnedFont font(CreateMenuFont(item.Default(), scale));
  SelectedObject selectedFont(dc, font.Get());
  RECT measure{0, 0, 0, 0};
  DrawTextA(dc, MeasuredCaption(item.Caption()).c_str(), -1, &measure,
            DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  ItemContentInput in;
  in.rect = Rect{rect.left, rect.top, rect.right, rect.bottom};
  in.itemLeftMargin = ItemLeftMargin(data);
  in.glyphSize = images ? scale.Art(images->Width()) : scale.Px(kGlyphBox);
  in.checked = item.Checked();
  in.rightToLeft = RightToLeft(item);
  in.captionHeight = measure.bottom - measure.top;
  in.scale = scale;
  const ItemContentLayout layout = LayoutItemContent(in);

  COLORREF text = Colour(data, ceMenuText);
  if (!item.Enabled()) {
    text = data.Colour(ceButtonShadow) == data.Colour(ceMenuText) ? GetSysColor(COLOR_BTNSHADOW)
                                                                  : Colour(data, ceButtonShadow);
  } else if (selected) {
    text = Colour(data, ceHilightText);
  }
  const Rect& g = layout.glyph;
  if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
    if (item.Checked()) CheckedImageBox(dc, g);
    images->Draw(dc, g.left, g.top, item.ImageIndex(), item.Enabled());
  } else if (item.Checked()) {
    DrawMenuCheckMark(dc, RECT{g.left, g.top, g.right, g.bottom}, GetSysColor(COLOR_BTNTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_TOP;
  if (state & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  RECT caption{layout.caption.left, layout.caption.top, layout.caption.right,
               layout.caption.bottom};
  DrawTextA(dc, item.Caption().c_str(), -1, &caption,
            format | (in.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
  const std::string shortCut = item.ShortCutText();
  if (!shortCut.empty()) {
    RECT area{layout.shortcut.left, layout.shortcut.top, layout.shortcut.right,
              layout.shortcut.bottom};
    DrawTextA(dc, shortCut.c_str(), -1, &area,
              format | DT_NOPREFIX | (in.rightToLeft ? DT_LEFT : DT_RIGHT));
  }
}

void PaintMenuItem(HDC canvas, const TMenuItem& item, unsigned state, const RECT& rect,
                   const TSkinData& data, HMENU parentMenu, const DpiScale& scale) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const bool selected = (state & ODS_SELECTED) != 0;
  const TDataSkinObject* image = MenuItemImage(data);
  OffscreenBuffer buffer(canvas, w, h);
  const RECT all{0, 0, w, h};
  if (!image) {
    // The flat look from the colour table.
    OwnedBrush fill(CreateSolidBrush(Colour(data, selected ? ceHilight : ceMenu)));
    FillRect(buffer.Dc(), &all, fill.Get());
    if (item.IsLine()) {
      RECT line{0, scale.Px(4), w, h};
      DrawEdge(buffer.Dc(), &line, EDGE_ETCHED, BF_TOP);
    } else {
      PaintMenuItemContent(buffer.Dc(), item, state, all, data, scale);
    }
    buffer.CopyTo(canvas, rect.left, rect.top);
    return;
  }
  Bitmap under;
  if (!PopupBackgroundUnder(parentMenu, rect, &under))
    under = Bitmap(w, h, 24, ToPixel(Colour(data, ceMenu)));
  BlitBitmap(buffer.Dc(), 0, 0, MenuItemBackground(under, *image, selected, item.IsLine()), false);
  if (!item.IsLine()) PaintMenuItemContent(buffer.Dc(), item, state, all, data, scale);
  buffer.CopyTo(canvas, rect.left, rect.top);
}

TEvent MenuItemDrawHandler(const TSkinData& data, const DpiScale& scale) {
  const TSkinData* skin = &data;
  return [skin, scale](TEventArgs& e) {
    auto* item = dynamic_cast<TMenuItem*>(e.Sender);
    if (!item) return;
    const RECT rect{e.Left, e.Top, e.Left + e.Width, e.Top + e.Height};
    HMENU parent = item->Parent() ? item->Parent()->Handle() : nullptr;
    PaintMenuItem(static_cast<HDC>(e.Canvas), *item, e.State, rect, *skin, parent, scale);
  };
}

TEvent MenuItemMeasureHandler(ItemMeasure kind, const TSkinData& data, const DpiScale& scale) {
  const TSkinData* skin = &data;
  return [skin, kind, scale](TEventArgs& e) {
    // The framework's own measure arrives in Width and Height.
    if (auto* item = dynamic_cast<TMenuItem*>(e.Sender))
      e.Width = MeasureMenuItemWidth(kind, *item, e.Width, *skin, scale);
  };
}

void MeasureForeignEntry(const ForeignEntry& entry, const TSkinData& data,
                         MEASUREITEMSTRUCT& measure, const DpiScale& scale) {
  const std::string text = entry.text.substr(0, kMaxEntryText);
  WindowDC screen(nullptr, false);
  HDC dc = screen.Get();
  OwnedFont font(CreateMenuFont(false, scale));
  RECT r{0, 0, 0, 0};
  {
    SelectedObject selected(dc, font.Get());
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r,
              DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  }
  const ItemSize size = ForeignItemSize(r.right - r.left, r.bottom - r.top, text.empty(),
                                        ItemLeftMargin(data), scale);
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
}

void PaintForeignEntry(const ForeignEntry& entry, const TSkinData& data, const DRAWITEMSTRUCT& draw,
                       const DpiScale& scale) {
  const std::unique_ptr<TMenuItem> item = StandIn(entry);
  PaintMenuItem(draw.hDC, *item, draw.itemState, draw.rcItem, data,
                reinterpret_cast<HMENU>(draw.hwndItem), scale);
}

}  // namespace velotune::skin
