// Answers the message box that the calling thread is about to show, from a
// second thread: notes the box's caption, text and place, then presses one of
// its buttons. For tests that run a window's code in their own process, where
// a message box would otherwise wait for a user.
#pragma once

#include <windows.h>

#include <string>

namespace velotune {

struct AnsweredBox {
  bool shown = false;
  std::string caption;
  std::string text;
  RECT box{};
  RECT button{};               // the button that was pressed
  bool childrenInside = true;  // every visible control lies within the box
};

class BoxAnswerer {
 public:
  // Starts watching the calling thread for a message box, which it answers
  // with `button` (IDOK, IDYES, IDNO).
  explicit BoxAnswerer(int button) : thread_(GetCurrentThreadId()), button_(button) {
    watcher_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
  }
  ~BoxAnswerer() { Result(); }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  // Waits until the box has been answered, or no box came within 20 seconds.
  const AnsweredBox& Result() {
    if (watcher_) {
      WaitForSingleObject(watcher_, INFINITE);
      CloseHandle(watcher_);
      watcher_ = nullptr;
    }
    return answered_;
  }

 private:
  static BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }

  static std::string TextOf(HWND window) {
    char text[8192] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

  static DWORD WINAPI Watch(void* data) {
    auto* self = static_cast<BoxAnswerer*>(data);
    HWND box = nullptr;
    for (int i = 0; i < 400 && !box; ++i) {
      EnumThreadWindows(self->thread_, FindBox, reinterpret_cast<LPARAM>(&box));
      if (!box) Sleep(50);
    }
    if (!box) return 1;
    AnsweredBox& a = self->answered_;
    a.shown = true;
    a.caption = TextOf(box);
    a.text = TextOf(GetDlgItem(box, 0xFFFF));
    GetWindowRect(box, &a.box);
    GetWindowRect(GetDlgItem(box, self->button_), &a.button);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r, inside;
      GetWindowRect(child, &r);
      if (IsWindowVisible(child) &&
          (!IntersectRect(&inside, &r, &a.box) || !EqualRect(&inside, &r)))
        a.childrenInside = false;
    }
    PostMessageA(box, WM_COMMAND, self->button_, 0);
    return 0;
  }

  DWORD thread_;
  int button_;
  HANDLE watcher_ = nullptr;
  AnsweredBox answered_;
};

}  // namespace velotune
