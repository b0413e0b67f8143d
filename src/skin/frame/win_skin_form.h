// TWinSkinForm: takes over the non-client area of one top-level window (a
// form of the program, or a system dialog it shows): frame sizes from the
// skin's edges, the painted frame, caption, title and caption buttons, the
// window region, the caption buttons' mouse handling, hints and the skinned
// system menu.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/control.h"
#include "skin/data/skin_data.h"
#include "skin/frame/frame_logic.h"
#include "skin/frame/nc_objects.h"
#include "skin/frame/skin_host.h"
#include "skin/frame/skinned_control.h"
#include "skin/frame/window_subclass.h"
#include "skin/paint/gdi_objects.h"

namespace velotune {
class TForm;
class TImageList;
class TMenuItem;
class TPopupMenu;
}  // namespace velotune

namespace velotune::skin {

class CaptionHint;
class SkinMenuBar;

class TWinSkinForm : public TComponent {
 public:
  // Owned by the framework form when there is one; else by the manager.
  TWinSkinForm(TComponent* owner, SkinHost& host);
  ~TWinSkinForm() override;
  const char* ClassName() const override { return "TWinSkinForm"; }

  // Tells the window and its class name (before Attach).
  void SetWindow(HWND window, const std::string& className);
  // Takes the window over; a second call does nothing.
  void Attach(TSkinData& data);
  // The form attach: events, face colour, FormWindowProc, then Attach.
  void AttachForm(TSkinData& data, TForm& form);
  // Gives the window back: procedures, frame size, region, controls.
  void Detach();
  void PaintFrame(HDC dc = nullptr);
  void UpdateRegion();
  void FitWindow(bool keepClient);
  // The skin changed: re-read it and repaint.
  void Reapply();

  HWND Handle() const { return window_; }
  TForm* Form() const { return form_; }
  TSkinData* Data() const { return data_; }
  const std::string& WindowClass() const { return className_; }
  FrameSizes Frame() const { return frame_; }
  int MenuBarHeight() const { return menuBar_; }
  int State() const { return frameState_; }
  bool Active() const { return active_; }
  bool IsMessageBox() const { return messageBox_; }
  BorderKind Border() const { return borderKind_; }
  int Buttons() const { return buttonSet_; }
  ShowState Show() const { return showState_; }
  bool FrameSkinning() const { return frameSkinning_; }
  bool RightToLeft() const { return rightToLeft_; }
  // The skinned menu bar, or null when the window shows no menu.
  SkinMenuBar* MenuBar() const { return bar_.get(); }
  const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return buttons_; }

  // The object under the mouse; the timer checks it before use.
  TNCObject* Current() const { return current_; }
  void SetCurrent(TNCObject* object) { current_ = object; }
  void HideHint();
  // Paints one caption button into the window DC in its state.
  void PaintButton(TWinSysButton& button);

  // The skinned controls of this window.
  void RegisterControl(SkinnedControl* control);
  void UnregisterControl(SkinnedControl* control);
  const std::vector<SkinnedControl*>& Controls() const { return controls_; }
  bool HasControl(HWND window) const;
  // A memory DC the wrappers may share for scratch work.
  HDC ScratchDc();

  // The manager goes: no skinned window calls it any more.
  static void ForgetHost(SkinHost* host);

  // Pops up the skinned system menu at a screen point.
  void ShowSystemMenu(POINT screen);
  // The popup on screen now (null when none), and the caption-button hint.
  HMENU SystemPopup() const;
  // The item of the system popup with that command id, or null.
  TMenuItem* SystemMenuItem(UINT command) const;
  const CaptionHint* Hint() const { return hint_.get(); }

 private:
  static LRESULT Route(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT FrameProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  bool FrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void FormWindowProc(TMessage& message);
  void StartSkinning();
  void ComputeFrameSizes();
  void ReadShowState();
  void LoadWindowIcon();
  void SetActive(bool active);
  void ReleaseControls();
  void RestoreOwnProcedures();

  // Painting.
  void PaintEdge(int edge, const RECT& rect, HDC dc);
  Bitmap EdgeImage(int edge, int width, int height) const;
  void PaintCaption(HDC dc, int width, int height);
  RECT DrawTitle(HDC dc, int width);
  void LayoutButtons(int width, const RECT& title);
  void DrawButton(HDC dc, TWinSysButton& button, bool captionPaint);
  ButtonContext MakeButtonContext() const;

  // Mouse.
  POINT ToWindow(LPARAM screenPoint) const;
  TNCObject* ObjectAt(POINT p) const;
  void RunButtonAction(TWinSysButton& button, POINT screen);
  void OnTimer();
  bool Alive(const TNCObject* object) const;

  // The system menu.
  void BuildSystemMenu();
  void FreeSystemMenu();
  // Takes the window's menu bar over (frame skinning on, not an MDI child).
  void MakeMenuBar();
  void ReleaseMenuBar(bool windowGoing);
  bool IsCaptionButton(const TNCObject* object) const;

  SkinHost* host_;
  HWND window_ = nullptr;
  std::string className_;
  WindowSubclass subclass_;
  TForm* form_ = nullptr;
  ::velotune::TColor formColour_ = 0;
  bool formColourSaved_ = false;
  TSkinData* data_ = nullptr;
  bool attached_ = false;
  bool timerOn_ = false;
  OwnedFont captionFont_;

  FrameSizes frame_;
  int menuBar_ = 0;
  ShowState showState_ = ssNormal;
  BorderKind borderKind_ = bkFixed;
  int mdiKind_ = 0;
  int buttonSet_ = 0;
  bool active_ = false;
  bool rightToLeft_ = false;
  bool childWindow_ = false;
  bool messageBox_ = false;
  bool frameSkinning_ = false;
  int frameState_ = fsAttached;

  RECT startClient_{};
  SIZE systemFrame_{};
  Bitmap windowIcon_;
  Rect titleRect_;
  SIZE regionSize_{-1, -1};
  HMENU systemMenu_ = nullptr;
  DWORD lastPopup_ = 0;
  bool popupOpen_ = false;
  int hoverMs_ = 0;

  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  TNCObject* current_ = nullptr;
  std::unique_ptr<CaptionHint> hint_;
  std::unique_ptr<TPopupMenu> systemPopup_;
  std::unique_ptr<TImageList> systemGlyphs_;
  std::unique_ptr<SkinMenuBar> bar_;
  int systemBarHeight_ = 0;  // what the system's own menu bar took
  std::vector<SkinnedControl*> controls_;
  HDC scratch_ = nullptr;
  // Shared with FormWindowProc's functor, so that a form whose procedure
  // chain still holds it after Detach passes messages on.
  struct FormLink;
  std::shared_ptr<FormLink> formLink_;

  friend class TWinSysButton;
  friend struct FormProcFunctor;
};

// The hint pauses of the application.
constexpr int kHintPauseMs = 500;
constexpr int kHintHidePauseMs = 2500;
constexpr UINT_PTR kFrameTimerId = 0x534B;  // "SK"
constexpr int kFrameTimerMs = 250;

}  // namespace velotune::skin
