// TSkinScrollbar: the scroll bars of a windowed control (the FIX page's
// scroll box, the rich edit) drawn from the skin's scroll-bar images, with a
// flat border. The system keeps its own scroll bars underneath: it measures
// them, finds the parts under the mouse, tracks the thumb and sends the
// scroll messages, so scrolling works exactly as without the skin; the
// wrapper only paints the bars again whenever the system may have drawn
// them, where the system says the parts are.
#pragma once

#include "skin/controls/scroll_layout.h"
#include "skin/controls/skin_control.h"

namespace velotune::skin {

class TSkinScrollbar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  const char* ClassName() const override { return "TSkinScrollbar"; }
  void Restore() override;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Reapply() override;

  // Paints the border and the bars into a DC of the whole window (its own
  // window DC when none is given).
  void PaintNonClient(HDC dc = nullptr);
  // One bar's parts as the system reports them, in window coordinates;
  // false when the bar is not shown.
  bool BarParts(bool vertical, ScrollParts* parts, bool* disabled) const;

 private:
  struct Hit {
    int bar = -1;  // SB_HORZ or SB_VERT, -1 for none
    ScrollPart part = spNone;
    bool operator==(const Hit& o) const { return bar == o.bar && part == o.part; }
    bool operator!=(const Hit& o) const { return !(*this == o); }
  };
  // What the bars show; a change means the system has drawn them.
  struct Snapshot {
    SCROLLINFO horz{};
    SCROLLINFO vert{};
    RECT window{};
    LONG style = 0;
    bool operator==(const Snapshot& o) const;
  };
  void Attached() override;
  Snapshot Take() const;
  Hit HitAt(LPARAM screenPoint) const;
  void PaintBar(HDC dc, bool vertical);
  void PaintBorder(HDC dc, const RECT& window, const RECT& client);
  void RepaintAll();

  Hit hot_;
  Hit pressed_;
  Snapshot last_;
  bool tracking_ = false;  // TrackMouseEvent asked for the non-client leave
};

}  // namespace velotune::skin
