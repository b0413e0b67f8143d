// TWinSkinForm: takes over the non-client area of one top-level window (a
// form of the program, or a system dialog it shows). It keeps the window's
// state and routes its messages to its parts, each with one job: the frame
// and its region (SkinFrame), the caption painter (CaptionPainter), the
// caption buttons with the mouse and their hints (CaptionButtons), the
// system menu (SystemMenu) and the seam to the skinned menu bar
// (MenuBarSeam).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/control.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_button_row.h"
#include "skin/frame/caption_painter.h"
#include "skin/frame/frame_logic.h"
#include "skin/frame/menu_bar.h"
#include "skin/frame/nc_objects.h"
#include "skin/frame/skin_frame.h"
#include "skin/frame/skin_host.h"
#include "skin/frame/skinned_control.h"
#include "skin/frame/skinned_frame.h"
#include "skin/frame/system_menu.h"
#include "skin/frame/window_subclass.h"
#include "skin/paint/dpi_scale.h"

namespace velotune {
class TForm;
class TMenuItem;
}  // namespace velotune

namespace velotune::skin {

class CaptionHint;

// What the window is in an MDI arrangement: the program's own forms are none.
enum MdiKind : int { mkNone = 0, mkFrame = 1, mkChild = 2 };

class TWinSkinForm : public TComponent, public SkinnedFrame {
 public:
  // Owned by the framework form when there is one; else by the manager.
  TWinSkinForm(TComponent* owner, SkinHost& host);
  ~TWinSkinForm() override;
  const char* ClassName() const override { return "TWinSkinForm"; }

  // Tells the window and its class name (before Attach).
  void SetWindow(HWND window, const std::string& className);
  // Takes the window over; a second call does nothing. False when the
  // window could not be routed to this object (it is then left alone).
  bool Attach(TSkinData& data);
  // The form attach: events, face colour, FormWindowProc, then Attach.
  bool AttachForm(TSkinData& data, TForm& form);
  bool Attached() const { return attached_; }
  // Gives the window back: procedures, frame size, region, controls.
  void Detach();
  void PaintFrame(HDC dc = nullptr) override;
  void UpdateRegion();
  void FitWindow(bool keepClient);
  // The skin changed: re-read it and repaint.
  void Reapply();

  // SkinnedFrame.
  HWND Handle() const override { return window_; }
  TForm* Form() const override { return form_; }
  TSkinData* Data() const override { return data_; }
  FrameSizes Frame() const override { return frame_.Sizes(); }
  int MenuBarHeight() const override { return frame_.MenuBar(); }
  FrameState State() const override { return frameState_; }
  bool Active() const override { return active_; }
  bool RightToLeft() const override { return rightToLeft_; }
  const DpiScale& Scale() const override { return scale_; }
  TNCObject* Current() const override { return buttons_.Current(); }
  void SetCurrent(TNCObject* object) override { buttons_.SetCurrent(object); }
  void HideHint() override { buttons_.HideHint(); }

  const std::string& WindowClass() const { return className_; }
  bool IsMessageBox() const { return messageBox_; }
  BorderKind Border() const { return borderKind_; }
  MdiKind Mdi() const { return mdiKind_; }
  int Buttons() const { return buttonSet_; }
  ShowState Show() const { return showState_; }
  void SetShow(ShowState state) { showState_ = state; }
  bool FrameSkinning() const { return frameSkinning_; }
  // Whether the window's text is read as Unicode.
  bool UnicodeWindow() const { return subclass_.Unicode(); }
  SkinHost& Host() const { return *host_; }
  // The skinned menu bar, or null when the window shows no menu.
  SkinMenuBar* MenuBar() const { return menuBar_.Bar(); }
  const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const {
    return buttons_.All();
  }
  const CaptionHint* Hint() const { return buttons_.Hint(); }
  const SkinFrame& FramePart() const { return frame_; }
  const Bitmap& WindowIconImage() const { return buttons_.WindowIconImage(); }
  bool SystemMenuOpen() const { return systemMenu_.Open(); }
  bool WindowHasCloseItem() const { return systemMenu_.HasCloseItem(); }
  // Closes the window (WM_CLOSE, or WM_SYSCOMMAND with SC_CLOSE), the
  // caption's timer stopped first.
  void PostClose(UINT msg, WPARAM command);
  // The window's own procedure for a message.
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  // The same while the window looks hidden, so that the system draws
  // nothing of its caption over the skin's.
  LRESULT DefaultUnseen(UINT msg, WPARAM wParam, LPARAM lParam);

  // The skinned controls of this window.
  void RegisterControl(SkinnedControl* control) { controls_.Add(control); }
  void UnregisterControl(SkinnedControl* control) { controls_.Remove(control); }
  const std::vector<SkinnedControl*>& Controls() const { return controls_.All(); }
  bool HasControl(HWND window) const { return controls_.Has(window); }
  // A memory DC the wrappers may share for scratch work.
  HDC ScratchDc() { return controls_.ScratchDc(); }

  // Expires when this object is freed: code that runs a modal loop (a
  // popup menu) holds it across the loop and touches nothing once it has.
  std::weak_ptr<const bool> Life() const { return life_; }

  // The manager goes: no skinned window calls it any more.
  static void ForgetHost(SkinHost* host);

  // Pops up the skinned system menu at a screen point.
  void ShowSystemMenu(POINT screen) { systemMenu_.Show(screen); }
  // The popup on screen now (null when none).
  HMENU SystemPopup() const { return systemMenu_.Popup(); }
  // The item of the system popup with that command id, or null.
  TMenuItem* SystemMenuItem(UINT command) const { return systemMenu_.Item(command); }

 private:
  // How the window is given back: freed with its owner, gone with WM_NCDESTROY,
  // or detached while it stays.
  enum class Teardown { kFreed, kDestroyed, kDetached };

  static LRESULT Route(void* owner, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT FrameProc(UINT msg, WPARAM wParam, LPARAM lParam);
  bool FrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool StateMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void FormWindowProc(TMessage& message);
  void ReadStyles();
  void StartSkinning();
  void ComputeFrameSizes();
  void ReadShowState();
  void SetActive(bool active);
  // The one way back: what the window took over is released, as `how` allows.
  void GiveBack(Teardown how);
  void RestoreOwnProcedures();
  void TakeMenuBar();
  bool Painting() const { return frameState_ == fsSkinned || frameState_ == fsReskinning; }

  SkinHost* host_;
  std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
  HWND window_ = nullptr;
  std::string className_;
  WindowSubclass subclass_;
  TForm* form_ = nullptr;
  ::velotune::TColor formColour_ = 0;
  bool formColourSaved_ = false;
  TSkinData* data_ = nullptr;
  bool attached_ = false;
  DpiScale scale_;

  ShowState showState_ = ssNormal;
  BorderKind borderKind_ = bkFixed;
  MdiKind mdiKind_ = mkNone;
  int buttonSet_ = 0;
  bool active_ = false;
  bool rightToLeft_ = false;
  bool childWindow_ = false;
  bool messageBox_ = false;
  bool frameSkinning_ = false;
  FrameState frameState_ = fsAttached;
  SIZE systemFrame_{};

  SkinFrame frame_;
  CaptionPainter painter_{*this};
  CaptionButtonRow buttons_{*this, painter_};
  SystemMenu systemMenu_{*this};
  MenuBarSeam menuBar_;
  SkinnedControlList controls_;
  // Shared with FormWindowProc's functor, so that a form whose procedure
  // chain still holds it after Detach passes messages on.
  struct FormLink;
  std::shared_ptr<FormLink> formLink_;

  friend struct FormProcFunctor;
};

}  // namespace velotune::skin
