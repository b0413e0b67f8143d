// TSkinControl: the base of every control wrapper. It takes over one
// control's messages (a framework control's WindowProc, or a foreign window's
// procedure), lets the member filter them before and after the control's own
// handling, and paints through the member's Paint. It is owned by the control
// it wraps and listed by the skinned form it belongs to.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/control.h"
#include "framework/shown_region.h"
#include "skin/controls/wrapper_states.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skinned_control.h"
#include "skin/frame/window_subclass.h"
#include "skin/paint/dpi_scale.h"

namespace velotune::skin {

class TWinSkinForm;

// A control whose Tag is this lets its parent show behind it.
constexpr int kTransparentTag = 5555;

class TSkinControl : public TComponent, public SkinnedControl {
 public:
  // owner: the wrapped framework control, or null for a foreign window.
  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override;
  const char* ClassName() const override { return "TSkinControl"; }

  // The operations a member may override, in this order.
  virtual void AttachControl(TWinSkinForm& form, TSkinData& data, bool fillBackground, HDC canvas);
  // False when the window cannot be routed to the wrapper: it is then not
  // listed, and the caller frees the wrapper.
  virtual bool AttachWindow(HWND window, TSkinData& data, TWinSkinForm& form, HDC canvas);
  virtual void Restore();
  // The filter before the control's own handling; false: the message is done.
  virtual bool BeforeMessage(TMessage& message);
  virtual void AfterMessage(TMessage& message);
  virtual void PaintWindow(HDC dc);
  virtual void Paint(HDC dc, const RECT& rect);
  void Reapply() override;
  virtual bool Skinnable() const { return true; }

  HWND Window() const override { return handle_; }
  TControl* Control() const { return control_; }
  bool IsActive() const { return active_; }
  WrapperMode Mode() const { return mode_; }
  WrapperState StateNumber() const { return state_; }

  // The message routine every message of the wrapped window goes through.
  void Message(TMessage& message);

 protected:
  // The control's own handling: its kept WindowProc or window procedure.
  void CallPrevious(TMessage& message);
  // Invalidates the whole window with erasing and updates it at once.
  void Repaint();
  // The window's rectangle moved to the origin.
  RECT LocalRect() const;
  // Paints into an off-screen buffer first, then copies it in one go; with
  // `shown`, what the screen shows of the window, only that is composed.
  void PaintBuffered(HDC dc, const ShownRegion* shown = nullptr);
  // Paints a WM_PAINT (or print) message through the wrapper: a paint cycle
  // begins when the message carries no device context; Paint is called
  // directly, or through PaintBuffered; failures are swallowed.
  void PaintMessage(TMessage& message, bool buffered);
  // What the buffer starts with; the face colour unless a member knows better.
  virtual void PaintBackground(HDC dc, const RECT& rect);
  // The parent paints itself behind the control into dc (a foreign window's
  // parent is not asked: the face colour stands in for it).
  void PaintParentBehind(HDC dc);
  // The control's non-windowed children (labels, images) painted into dc,
  // which holds the control's client area.
  void PaintGraphicChildren(HDC dc);
  // Run at the end of either attach, for what a member takes from the
  // control and the skin.
  virtual void Attached() {}
  // kTransparentTag or the xoTransparent option: the parent shows behind.
  bool TransparentWanted() const;
  // The pixel measures of the window the control is drawn in.
  const DpiScale& Scale() const;
  // The skin's pictures and measures drawn for that window's DPI.
  const SkinArt& Art() const;
  // An entry of the skin's colour table, resolved.
  COLORREF SkinColour(int entry) const;
  // The control's published property, when it has it.
  bool ReadProperty(const char* name, std::string* value) const;
  // The keyboard focus is on the control (or a window inside it) and its
  // window's UI state shows focus cues (hidden until the keyboard is used).
  bool FocusCueWanted() const;
  // The window with the focus; the system is asked only when the focus is on
  // none of the framework's windows.
  static HWND CurrentFocus();
  // A dotted focus rectangle on rect's edge, one scaled pixel thick.
  void DrawFocusCue(HDC dc, const RECT& rect) const;
  // What the control's text area is filled with: its own colour, or the
  // system's window colour for a window that is not a framework control.
  COLORREF WindowBackColour() const;

  TControl* control_ = nullptr;
  HWND handle_ = nullptr;
  bool unicode_ = false;
  TSkinData* data_ = nullptr;
  TWinSkinForm* form_ = nullptr;
  HDC canvas_ = nullptr;
  bool fillBackground_ = false;
  ::velotune::TColor savedColour_ = 0;
  bool savedParentColour_ = false;  // the colour followed the parent's
  bool parentBackgroundSwitched_ = false;
  bool active_ = true;
  bool attached_ = false;
  WrapperState state_ = wsNew;
  RECT screenRect_{};
  std::string text_;
  WrapperMode mode_ = wmSystemLook;

 private:
  struct Link;
  struct ProcFunctor;
  static LRESULT Route(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void GiveBack();
  std::shared_ptr<Link> link_;
  WindowSubclass subclass_;
};

}  // namespace velotune::skin
