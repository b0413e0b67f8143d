// The floor that the main window's start-up and rescale are compared with: a
// plain Win32 window of the main window's client size holding the same
// windowed controls (the same system classes, parents, bounds, texts and
// states, from a static table generated from the main window's description;
// panels, pages and the scroll box are statics, the page control a tab
// control), made the plain way: one CreateWindowEx per control and two shared
// fonts. A size change moves every control to its bounds scaled by the new
// client size, in one BeginDeferWindowPos/EndDeferWindowPos batch per parent.
// It has no skin, no form framework and no labels or pictures of its own.
#pragma once

#include <windows.h>

#include <vector>

namespace plain {

enum Kind {
  kContainer,  // a panel or the scroll box: a static
  kPage,       // a page of the tab control: a static over its display area
  kGroupBox,
  kButton,
  kCheckBox,
  kRadioButton,
  kEdit,
  kMemo,
  kUpDown,
  kComboBox,
  kTrackBar,
  kTabControl,
  kStatusBar,
};

enum Flags : unsigned {
  kHidden = 1,
  kChecked = 2,
  kBold = 4,
  kReadOnly = 8,
  kNoTab = 16,  // a page whose tab the program hides
};

// One control; parent is the row of its parent control, -1 for the window.
struct PlainControl {
  Kind kind;
  int parent;
  int left, top, width, height;
  const char* text;
  const char* items;  // lines: list items, or "width:text" status panels
  unsigned flags;
  int value;  // selected item or position
  int min, max;
};

class PlainWindow {
 public:
  // Client size of the main window as designed.
  static constexpr int kDesignWidth = 790;
  static constexpr int kDesignHeight = 648;

  // Creates the window, hidden, with every control.
  PlainWindow();
  ~PlainWindow();
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;

  HWND Handle() const { return window_; }
  // Centred on the screen, like the main window.
  void Show();
  // Gives the window a new client size; its controls follow (WM_SIZE).
  void SetClientSize(int width, int height);
  std::size_t ControlCount() const { return controls_.size(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Rescale(int clientWidth, int clientHeight);

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HFONT bold_ = nullptr;
  std::vector<HWND> controls_;
};

}  // namespace plain
