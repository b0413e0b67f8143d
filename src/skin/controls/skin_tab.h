// TSkinTab: a tab control (the main window's page control) drawn from the
// skin's tab and pane images, for tabs on any side, with close boxes on the
// tabs of a page control whose Tag is 7777. TSkinTabSheet keeps the pages in
// the skin's face colour.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "skin/controls/skin_control.h"
#include "skin/controls/tab_geometry.h"
#include "skin/data/bitmap_ops.h"
#include "skin/paint/gdi_objects.h"

namespace velotune::skin {

// Sent to the skinned form when a close box is pressed: wParam the tab
// control, lParam the tab's index; an answer of 0 lets the page be closed.
constexpr unsigned SKM_TABCLOSE = 0x3507;
constexpr int kCloseBoxTag = 7777;

class TSkinTab : public TSkinControl {
 public:
  // mode 2: a tab control that is not a page control.
  explicit TSkinTab(TComponent* owner, WrapperMode mode = wmSystemLook) : TSkinControl(owner) {
    mode_ = mode;
  }
  const char* ClassName() const override { return "TSkinTab"; }
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Reapply() override;
  void Notification(TComponent* freed) override;

  TabSide Side() const { return side_; }
  bool HasCloseBoxes() const { return closeBoxes_; }
  // Each tab's close box as last painted, in the control's coordinates.
  const std::vector<Rect>& CloseBoxes() const { return closeRects_; }
  // The wrapper of the scroll-arrow child, when one is built and the child exists.
  const TSkinControl* ArrowWrapper() const { return arrow_; }

 private:
  void Attached() override;
  void PrepareImages();
  void WrapArrowChild();
  void PaintStrip(HDC dc, const Rect& control, const Rect& pane);
  void PaintPane(HDC dc, const Rect& pane);
  void PaintTab(HDC canvas, int index, const Rect& tab, bool selected, bool focusCue,
                HIMAGELIST images);
  bool PressCloseBox(TMessage& message);

  Bitmap tabImage_;
  Bitmap paneImage_;
  Margins tabMargins_;
  Margins paneMargins_;
  // The pane as last composed, kept while its size holds: every page shown
  // paints the control again, and the pane is most of it.
  OwnedBitmap paneDib_;
  int paneDibWidth_ = 0;
  int paneDibHeight_ = 0;
  TabSide side_ = tsTop;
  bool closeBoxes_ = false;
  std::vector<Rect> closeRects_;
  HWND arrowWindow_ = nullptr;
  // Owned by this wrapper and listed by the skinned form, which may free it
  // with the other wrappers first.
  TSkinControl* arrow_ = nullptr;
  bool enabled_ = true;
};

// The pages of a skinned page control: filled with the skin's face colour.
class TSkinTabSheet : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinTabSheet"; }
  void AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground, HDC canvas) override;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
};

}  // namespace velotune::skin
