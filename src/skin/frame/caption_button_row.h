// The caption buttons of a skinned window with the mouse: the buttons made
// from the skin, the hot object under the mouse (a caption button or a menu-bar
// item), the frame's timer that watches it and shows the buttons' hints, the
// non-client mouse messages, and what a click on a button does.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/data/bitmap.h"
#include "skin/frame/nc_objects.h"

namespace velotune::skin {

class CaptionHint;
class CaptionPainter;
class TSkinData;
class TWinSkinForm;

// The hint pauses of the application.
constexpr int kHintPauseMs = 500;
constexpr int kHintHidePauseMs = 2500;
constexpr UINT_PTR kFrameTimerId = 0x534B;  // "SK"
constexpr int kFrameTimerMs = 250;

class CaptionButtonRow {
 public:
  CaptionButtonRow(TWinSkinForm& form, CaptionPainter& painter);
  ~CaptionButtonRow();
  CaptionButtonRow(const CaptionButtonRow&) = delete;
  CaptionButtonRow& operator=(const CaptionButtonRow&) = delete;

  // The skin's buttons, made again (the hot object is forgotten).
  void Rebuild(const TSkinData& data);
  const std::vector<std::unique_ptr<TWinSysButton>>& All() const { return buttons_; }
  // The window's icon, which an icon button without a bitmap shows.
  void LoadWindowIcon();
  const Bitmap& WindowIconImage() const { return windowIcon_; }

  TNCObject* Current() const { return current_; }
  void SetCurrent(TNCObject* object) { current_ = object; }
  bool IsCaptionButton(const TNCObject* object) const;

  // The timer runs while the window is active.
  void Activate(bool active);
  void StopTimer();
  void OnTimer();
  void HideHint();
  // The hint window goes (it is made again when needed).
  void DropHint();
  const CaptionHint* Hint() const { return hint_.get(); }

  // WM_NCMOUSEMOVE and the left button's messages; false for others.
  bool MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The object under a point in screen coordinates: a button, else a menu-bar item.
  TNCObject* ObjectAtScreen(LPARAM screenPoint) const;
  // The system's hit-test code of the caption button at a screen point; 0
  // when no caption button is there.
  int HitCodeAtScreen(LPARAM screenPoint) const;
  // WM_GETTITLEBARINFOEX: the title bar and its buttons as the skin shows
  // them, in screen coordinates.
  void FillTitleBarInfo(TITLEBARINFOEX& info) const;
  // Closes the window (WM_CLOSE, or WM_SYSCOMMAND with SC_CLOSE), the timer
  // stopped first.
  void PostClose(UINT msg, WPARAM command);

 private:
  TNCObject* ObjectAt(POINT windowPoint) const;
  bool Alive(const TNCObject* object) const;
  void RunAction(TWinSysButton& button, POINT screen);

  TWinSkinForm& form_;
  CaptionPainter& painter_;
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  Bitmap windowIcon_;
  TNCObject* current_ = nullptr;
  bool timerOn_ = false;
  int hoverMs_ = 0;
  std::unique_ptr<CaptionHint> hint_;
};

}  // namespace velotune::skin
