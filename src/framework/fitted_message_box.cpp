#include "framework/fitted_message_box.h"

#include <algorithm>
#include <cstring>

#include "framework/window_text.h"
#include "platform/registry_names.h"

namespace velotune {

namespace {

// The box's own text control, as the system's message boxes number it.
constexpr int kBoxTextId = 0xFFFF;
constexpr char kMore[] = "\r\n...";
HHOOK fitHook = nullptr;

RECT RectIn(HWND window, HWND parent) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The longest beginning of `text`, cut after a whole line where it can be,
// that with kMore after it is at most `room` high when wrapped at `width`, as
// the box's text control draws it. Its height goes to *height.
std::string FittedText(HWND control, const std::string& text, int width, int room, int* height) {
  HDC dc = GetDC(control);
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  auto measure = [&](const std::string& candidate) {
    RECT r{0, 0, width, 0};
    DrawTextA(dc, candidate.c_str(), -1, &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
    return static_cast<int>(r.bottom);
  };
  std::size_t lo = 0, hi = text.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (measure(text.substr(0, mid) + kMore) <= room)
      lo = mid;
    else
      hi = mid - 1;
  }
  std::size_t cut = text.rfind('\n', lo);
  if (cut == std::string::npos) cut = lo;
  while (cut > 0 && (text[cut - 1] == '\r' || text[cut - 1] == '\n')) --cut;
  const std::string fitted = text.substr(0, cut) + kMore;
  *height = measure(fitted);
  SelectObject(dc, oldFont);
  ReleaseDC(control, dc);
  return fitted;
}

// Shortens the text of a box taller than the work area, moves what lies below
// the text up by as much, and centres the box in the work area.
void FitBox(HWND box) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  GetWindowRect(box, &outer);
  const int excess = (outer.bottom - outer.top) - (work.bottom - work.top);
  HWND text = GetDlgItem(box, kBoxTextId);
  if (excess <= 0 || !text) return;
  const RECT place = RectIn(text, box);
  const std::string shown = WindowText(text);
  int height = 0;
  const std::string fitted = FittedText(text, shown, place.right - place.left,
                                        (place.bottom - place.top) - excess, &height);
  const int shift = (place.bottom - place.top) - height;
  SetWindowTextA(text, fitted.c_str());
  SetWindowPos(text, nullptr, 0, 0, place.right - place.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The buttons below the text move up; the icon beside it stays within the
  // shorter text's height, centred on it when it stood further down.
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT r = RectIn(child, box);
    int top = r.top;
    if (child == text) continue;
    if (r.top >= place.bottom)
      top = r.top - shift;
    else if (r.bottom > place.top + height)
      top = place.top + std::max(0, (height - static_cast<int>(r.bottom - r.top)) / 2);
    if (top != r.top)
      SetWindowPos(child, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int newHeight = (outer.bottom - outer.top) - shift;
  const int top = work.top + std::max(0, static_cast<int>(work.bottom - work.top) - newHeight) / 2;
  SetWindowPos(box, nullptr, outer.left, top, outer.right - outer.left, newHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

constexpr char kPreviousProc[] = "VelotuneBoxProc";

// The box's procedure while it is being made: the system lays the box out
// when it initialises it, and the fitting follows.
LRESULT CALLBACK FitAfterLayout(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(box, kPreviousProc));
  const LRESULT result = CallWindowProcW(previous, box, message, wParam, lParam);
  if (message == WM_INITDIALOG) FitBox(box);
  // Out of the chain once done, unless something has wrapped this procedure
  // since: then it stays and passes every message on.
  const bool outermost =
      GetWindowLongPtrW(box, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FitAfterLayout);
  if ((message == WM_INITDIALOG || message == WM_NCDESTROY) && outermost) {
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(box, kPreviousProc);
  }
  return result;
}

LRESULT CALLBACK WatchBoxCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0) {
      SetPropA(window, kPreviousProc,
               reinterpret_cast<HANDLE>(SetWindowLongPtrW(
                   window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FitAfterLayout))));
    }
  }
  return CallNextHookEx(fitHook, code, wParam, lParam);
}

}  // namespace

int FittedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  const HHOOK outer = fitHook;  // a box shown while another one is open
  fitHook = SetWindowsHookExA(WH_CBT, WatchBoxCreation, nullptr, GetCurrentThreadId());
  // The program's texts are UTF-8 (registry names, paths, system messages).
  const std::u16string wideText = Utf8ToUtf16(text), wideCaption = Utf8ToUtf16(caption);
  const int answer = MessageBoxW(owner, reinterpret_cast<const wchar_t*>(wideText.c_str()),
                                 reinterpret_cast<const wchar_t*>(wideCaption.c_str()), type);
  if (fitHook) UnhookWindowsHookEx(fitHook);
  fitHook = outer;
  return answer;
}

}  // namespace velotune
