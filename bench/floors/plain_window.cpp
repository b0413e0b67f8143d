#include "plain_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace plain {

namespace {

const PlainControl kControls[] = {
#include "plain_controls.inc"
};
constexpr int kControlCount = static_cast<int>(sizeof kControls / sizeof kControls[0]);

const char kClassName[] = "VelotunePlainWindow";

int Scaled(int value, double scale) {
  return static_cast<int>(value * scale + 0.5);
}

struct ClassAndStyle {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassOf(const PlainControl& c) {
  switch (c.kind) {
    case kContainer:
    case kPage:
      return {"STATIC", WS_CLIPCHILDREN, 0};
    case kGroupBox:
      return {"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
    case kButton:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case kCheckBox:
      return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case kRadioButton:
      return {"BUTTON", BS_AUTORADIOBUTTON, 0};
    case kEdit:
      return {"EDIT",
              static_cast<DWORD>(ES_AUTOHSCROLL | WS_TABSTOP) |
                  ((c.flags & kReadOnly) ? ES_READONLY : 0u),
              WS_EX_CLIENTEDGE};
    case kMemo:
      return {"EDIT", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE};
    case kUpDown:
      return {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0};
    case kComboBox:
      return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case kTrackBar:
      return {TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0};
    case kTabControl:
      return {WC_TABCONTROLA, TCS_MULTILINE | TCS_HOTTRACK | WS_CLIPCHILDREN | WS_TABSTOP, 0};
    case kStatusBar:
      return {STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
  }
  return {"STATIC", 0, 0};
}

// The lines of a row's items text.
template <typename F>
void ForEachItem(const char* items, F&& f) {
  for (const char* p = items; *p;) {
    const char* end = std::strchr(p, '\n');
    f(std::string(p, end - p));
    p = end + 1;
  }
}

// A group box holding controls draws only its frame and caption; its inside
// is filled here, or nothing would paint it.
WNDPROC groupBoxProc = nullptr;
LRESULT CALLBACK GroupBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(window, &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return CallWindowProcA(groupBoxProc, window, msg, wParam, lParam);
}

// The page area of a tab control of the given size.
RECT PageArea(HWND tabs, int width, int height) {
  RECT r{0, 0, width, height};
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

}  // namespace

PlainWindow::PlainWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (!GetClassInfoA(instance, kClassName, &wc)) {
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
  }
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER | WS_CLIPCHILDREN;
  RECT r{0, 0, kDesignWidth, kDesignHeight};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  window_ = CreateWindowExA(0, kClassName, "Velotune", style, 0, 0, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, instance, this);
  LOGFONTA lf = {};
  lf.lfHeight = -11;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "MS Sans Serif");
  font_ = CreateFontIndirectA(&lf);
  lf.lfWeight = FW_BOLD;
  bold_ = CreateFontIndirectA(&lf);
  CreateControls();
}

PlainWindow::~PlainWindow() {
  if (window_) DestroyWindow(window_);
  DeleteObject(font_);
  DeleteObject(bold_);
}

void PlainWindow::CreateControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  controls_.reserve(kControlCount);
  for (const PlainControl& c : kControls) {
    const ClassAndStyle cls = ClassOf(c);
    HWND parent = c.parent < 0 ? window_ : controls_[c.parent];
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cls.style | ((c.flags & kHidden) ? 0 : WS_VISIBLE);
    int left = c.left, top = c.top, width = c.width, height = c.height;
    if (c.kind == kPage) {
      RECT client;
      GetClientRect(parent, &client);
      const RECT area = PageArea(parent, client.right, client.bottom);
      left = area.left;
      top = area.top;
      width = area.right - area.left;
      height = area.bottom - area.top;
    }
    const char* text = c.kind == kPage ? "" : c.text;
    HWND control = CreateWindowExA(cls.exStyle, cls.name, text, style, left, top, width, height,
                                   parent, nullptr, instance, nullptr);
    if (c.kind == kGroupBox)
      groupBoxProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc)));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>((c.flags & kBold) ? bold_ : font_),
                 FALSE);
    switch (c.kind) {
      case kPage:
        if (!(c.flags & kNoTab)) {
          TCITEMA item = {};
          item.mask = TCIF_TEXT;
          item.pszText = const_cast<char*>(c.text);
          // Pages come last first: each tab goes in front, the first page's
          // selected.
          SendMessageA(parent, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
          SendMessageA(parent, TCM_SETCURSEL, 0, 0);
        }
        break;
      case kCheckBox:
      case kRadioButton:
        if (c.flags & kChecked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        break;
      case kComboBox:
        ForEachItem(c.items, [&](const std::string& item) {
          SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        });
        SendMessageA(control, CB_SETCURSEL, c.value, 0);
        break;
      case kUpDown:
        SendMessageA(control, UDM_SETRANGE32, c.min, c.max);
        SendMessageA(control, UDM_SETPOS32, 0, c.value);
        break;
      case kTrackBar:
        SendMessageA(control, TBM_SETRANGEMIN, FALSE, c.min);
        SendMessageA(control, TBM_SETRANGEMAX, FALSE, c.max);
        SendMessageA(control, TBM_SETPOS, TRUE, c.value);
        break;
      case kStatusBar: {
        std::vector<std::string> texts;
        std::vector<int> edges;
        int right = 0;
        ForEachItem(c.items, [&](const std::string& item) {
          right += std::atoi(item.c_str());
          edges.push_back(right);
          texts.push_back("\t" + item.substr(item.find(':') + 1));
        });
        if (!edges.empty()) edges.back() = -1;
        SendMessageA(control, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        for (std::size_t i = 0; i < texts.size(); ++i)
          SendMessageA(control, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts[i].c_str()));
        break;
      }
      default:
        break;
    }
    controls_.push_back(control);
  }
}

void PlainWindow::Show() {
  RECT r;
  GetWindowRect(window_, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void PlainWindow::SetClientSize(int width, int height) {
  RECT window, client;
  GetWindowRect(window_, &window);
  GetClientRect(window_, &client);
  SetWindowPos(window_, nullptr, 0, 0, width + (window.right - window.left) - client.right,
               height + (window.bottom - window.top) - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlainWindow::Rescale(int clientWidth, int clientHeight) {
  if (controls_.size() != static_cast<std::size_t>(kControlCount)) return;
  const double sx = static_cast<double>(clientWidth) / kDesignWidth;
  const double sy = static_cast<double>(clientHeight) / kDesignHeight;
  // New sizes first, so that a page can be fitted to its tab control's.
  std::vector<RECT> bounds(kControlCount);
  for (int i = 0; i < kControlCount; ++i) {
    const PlainControl& c = kControls[i];
    if (c.kind == kPage) {
      const RECT& tabs = bounds[c.parent];
      bounds[i] = PageArea(controls_[c.parent], tabs.right, tabs.bottom);
      bounds[i].right -= bounds[i].left;
      bounds[i].bottom -= bounds[i].top;
    } else {
      bounds[i] =
          RECT{Scaled(c.left, sx), Scaled(c.top, sy), Scaled(c.width, sx), Scaled(c.height, sy)};
    }
  }
  // One batch per parent, the window's own children first.
  for (int parent = -1; parent < kControlCount; ++parent) {
    int count = 0;
    for (const PlainControl& c : kControls) count += c.parent == parent;
    if (count == 0) continue;
    HDWP batch = BeginDeferWindowPos(count);
    for (int i = 0; i < kControlCount && batch; ++i) {
      if (kControls[i].parent != parent) continue;
      const RECT& b = bounds[i];
      batch = DeferWindowPos(batch, controls_[i], nullptr, b.left, b.top, b.right, b.bottom,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) EndDeferWindowPos(batch);
  }
}

LRESULT CALLBACK PlainWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PlainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrA(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_SIZE:
      if (self && wParam != SIZE_MINIMIZED) self->Rescale(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace plain
