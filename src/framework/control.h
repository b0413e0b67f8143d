// Visual controls. TControl has bounds, visibility, enabled state, caption,
// font, colour, hint and cursor; TWinControl owns one window and passes every
// message through its replaceable WindowProc; TGraphicControl has no window
// and is painted and fed mouse input by its parent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/font.h"
#include "framework/messages.h"

namespace velotune {

class TWinControl;
class TForm;
class TPopupMenu;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};
using TWndMethod = std::function<void(TMessage&)>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TCursorId { crDefault = 0, crArrow = -2, crIBeam = -4, crHandPoint = -21 };

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible and every parent up to the form visible too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  virtual std::string Caption() const { return caption_; }
  virtual void SetCaption(const std::string& text);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const;  // ShowHint, or the parent's when ParentShowHint
  void SetShowHint(bool show) {
    showHint_ = show;
    parentShowHint_ = false;
  }
  void SetParentShowHint(bool value) { parentShowHint_ = value; }
  const std::string& HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& keyword) { helpKeyword_ = keyword; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { helpContext_ = context; }
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  int TabOrder() const { return tabOrder_; }
  // The menu a right click on the control opens.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  // By name, as a description stores it: found when loading has ended.
  void SetPopupMenuName(const std::string& name);
  void Loaded() override;

  // Every message to the control goes through WindowProc; replace it to see
  // messages before and after the control's own handling (call the saved
  // previous method in between).
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void Invalidate();
  // Font and colour scaled by M/D, with the bounds (the form's ScaleBy).
  virtual void ChangeScale(int m, int d);

  bool HasEvent(const std::string& name) const override;
  virtual void Click();

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  // The control's own message handling, after WindowProc.
  virtual void WndProc(TMessage& message);
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void TextChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}
  void Notification(TComponent* freed) override;
  void ParentFontChanged();
  void ParentColorChanged();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  std::string helpKeyword_;
  int helpContext_ = 0;
  int cursor_ = crDefault;
  TAlign align_ = alNone;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool mouseInside_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  std::string popupMenuName_;

  friend class TWinControl;
  friend class TScrollBox;
};

// How a windowed control's window is made.
struct TCreateParams {
  std::string windowClass;  // a system class, or the control's own class name
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  bool systemClass = false;  // subclass a system class instead of registering one
  int x = 0, y = 0, width = 0, height = 0;
  HWND parentWindow = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }

  HWND Handle();  // creates the window when needed
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Whether the control's window is held back until it first shows (or its
  // handle is asked for), keeping its state itself meanwhile: while it or a
  // container it lies in is hidden (a page not shown yet), and for a leaf
  // control (one without controls of its own) until its form is first shown.
  bool WindowWaits() const;
  void DestroyHandle();
  static TWinControl* FromHandle(HWND window);
  // The framework window that has the focus, as its focus messages tell:
  // exact whenever the focus is on one of the framework's windows, and null
  // when it is anywhere else. Asking the system (GetFocus) costs a round trip
  // to the window server on some systems.
  static HWND FocusedWindow();

  // Child controls in insertion order (windowed and not).
  const std::vector<TControl*>& Controls() const { return controls_; }
  // Windowed children in tab order.
  std::vector<TWinControl*> TabList() const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The non-windowed child under a client point, or null.
  TControl* ControlAtPos(POINT p) const;
  // Sends the message to every child control's WindowProc (and theirs, down).
  void Broadcast(UINT msg, WPARAM wParam, LPARAM lParam);

  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  // The client area rectangle in which aligned children are laid out.
  virtual RECT DisplayRect() const;
  void Invalidate() override;
  void SetFocus();
  bool Focused() const;
  bool CanFocus() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool stop);
  void AlignControls();
  void ChangeScale(int m, int d) override;
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value);

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  virtual void CreateParams(TCreateParams& params);
  // The window exists: apply the stored state (text, font, ranges...) and
  // make the children's windows.
  virtual void CreateWnd();
  // The children's windows that are missing, but for those that wait.
  void CreateChildWindows();
  // The same, told to the batch handler.
  void CreateChildWindowsInOneGo();
  // Whether the windows of leaf controls wait for their form's first
  // showing: the containers shown have their windows, so that their layout
  // is what it will be, while the many leaf controls are made once, where
  // they stay.
  bool LeafWindowsWait() const;
  // Makes the windows below this control that waited and wait no more (its
  // page is being shown), in one go; the control is not on screen yet, so
  // nothing paints until it shows, complete and wrapped.
  void MakeDueWindows();
  virtual void DestroyWnd() {}
  void WndProc(TMessage& message) override;
  // The system's handling: the subclassed class's procedure or DefWindowProc.
  void DefaultHandler(TMessage& message);
  // Paints background and non-windowed children; own window classes only.
  virtual void PaintWindow(HDC dc);
  virtual void PaintBackground(HDC dc, const RECT& rect);
  void PaintControls(HDC dc);
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  // Default colours for a reflected WM_CTLCOLOR*: the font colour, this
  // control's colour.
  LRESULT CtlColor(HDC dc);

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = nullptr;
  std::vector<TControl*> controls_;
  bool parentBackground_ = true;
  // Set on a form that has its window but has not been shown yet.
  bool leafWindowsWait_ = false;
  // Set while a control that is being shown gets its window: made hidden,
  // it shows once the windows below it are made too.
  bool madeHidden_ = false;

 private:
  void CreateHandle();
  // Whether a window below this control is missing and waits no more.
  bool HasDueWindows() const;
  // A window made on its own: placed among its siblings' windows as it
  // would have been had they all been made together.
  void PlaceAmongSiblings();
  bool Reflect(TMessage& message);
  // WM_CONTEXTMENU: opens the popup menu of this control or of the
  // non-windowed child under the mouse.
  bool ContextPopup(const TMessage& message);
  bool RouteMouse(TMessage& message);
  void TrackMouse();
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  TControl* captureControl_ = nullptr;
  TControl* hoverControl_ = nullptr;
  friend class TForm;
};

class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
  const char* ClassName() const override { return "TGraphicControl"; }
  // Drawn in the parent's client coordinates.
  virtual void Paint(HDC dc) = 0;

 protected:
  void WndProc(TMessage& message) override;
  // Down state while the mouse is pressed over the control.
  bool pressed_ = false;
};

// What a control made in code needs; the rest keeps the class's defaults.
struct TControlArgs {
  TWinControl* parent = nullptr;
  std::string name;
  int left = 0, top = 0, width = 0, height = 0;  // 0 width or height: the default size
  std::string caption;
};

// A control owned by `owner`, placed in `args.parent`.
template <typename T>
T* CreateControl(TComponent* owner, const TControlArgs& args) {
  T* control = new T(owner);
  control->SetName(args.name);
  control->SetBounds(args.left, args.top, args.width > 0 ? args.width : control->Width(),
                     args.height > 0 ? args.height : control->Height());
  control->SetCaption(args.caption);
  control->SetParent(args.parent);
  return control;
}

// Told before (true) and after (false) a form makes its controls' windows in
// one go, as it is first shown or shows a page the first time: a thread-wide
// window hook that watches other kinds of windows can be set aside meanwhile
// instead of being called for every control window. Null for none.
using ControlWindowsBatchHandler = void (*)(bool starting);
void SetControlWindowsBatchHandler(ControlWindowsBatchHandler handler);

// Told of the controls whose windows were held back and have just been made
// (a page shown the first time, or a handle asked for), in the order made,
// while their container's painting is still suspended: what every control
// window made at the form's first showing had done to it since can be done
// to these now. Null for none.
using LateControlWindowsHandler = void (*)(const std::vector<TWinControl*>& made);
void SetLateControlWindowsHandler(LateControlWindowsHandler handler);

// Raises the error of a failed system call, with the system's text.
[[noreturn]] void RaiseLastOSError();
// Draws text with the control's font and colour; returns the height used.
int DrawControlText(HDC dc, const TControl& control, const std::string& text, RECT rect,
                    UINT format);

}  // namespace velotune
