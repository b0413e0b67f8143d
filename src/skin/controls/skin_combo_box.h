// TSkinComBox: a combo box whose border and drop-down button are drawn from
// the skin's combo-button strip (and, by the skin, its sunk-edge and extra
// images) over what the system draws, with hover limited to the button and
// the pressed look also taken from the edit of a drop-down combo box. The
// dropped list keeps the system's scroll bars.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/frame/window_subclass.h"

namespace velotune::skin {

class TSkinComBox : public TSkinControl {
 public:
  // extended: made for a "comboboxex" Skin3rd line.
  explicit TSkinComBox(TComponent* owner, bool extended = false)
      : TSkinControl(owner), extended_(extended) {}
  ~TSkinComBox() override;
  const char* ClassName() const override { return "TSkinComBox"; }
  void Restore() override;
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

  bool Hover() const { return hover_; }
  bool Pressed() const { return pressed_; }
  bool Dropped() const { return dropped_; }
  // The button as last painted, in the control's coordinates.
  RECT ButtonRect() const { return button_; }

 private:
  void Attached() override;
  void SubclassEdit();
  static LRESULT EditRoute(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintComposed(HDC dc);
  // True when the system's drawing was moved right to make room.
  bool MakeRoomAtTheLeft(HDC dc, int width, int height);
  void PaintFlat(HDC dc, int width, int height, int look, bool leftButton, bool coverSystemButton);
  void PaintNineGrid(HDC dc, const RECT& rect, int look, bool leftButton);
  void PaintExtended(HDC dc, int width, int height, int look);
  void PaintSunk(HDC dc, int width, int height, int look, bool leftButton);
  void SetPressed(bool pressed);

  bool extended_;
  LONG style_ = 0;
  LONG exStyle_ = 0;
  RECT button_{};
  bool hover_ = false;
  bool pressed_ = false;
  bool dropped_ = false;
  HWND edit_ = nullptr;
  WindowSubclass editSubclass_;
};

}  // namespace velotune::skin
