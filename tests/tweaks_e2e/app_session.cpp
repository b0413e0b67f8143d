#include "tweaks_e2e/app_session.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace velotune {

namespace {

struct FindMain {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMainProc(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FindMain*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != find->pid || !IsWindowVisible(window)) return TRUE;
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0) return TRUE;  // message boxes
  if (AppSession::Text(window) != "Velotune" || GetWindow(window, GW_CHILD) == nullptr) return TRUE;
  find->found = window;
  return FALSE;
}

struct Collect {
  std::vector<HWND>* out;
  std::string text;
  bool byClass;
};

BOOL CALLBACK CollectProc(HWND window, LPARAM param) {
  auto* c = reinterpret_cast<Collect*>(param);
  if (c->byClass) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (_stricmp(cls, c->text.c_str()) == 0) c->out->push_back(window);
  } else if (AppSession::Text(window) == c->text) {
    c->out->push_back(window);
  }
  return TRUE;
}

struct ErrorBoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK ErrorBoxProc(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<ErrorBoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") != 0) return TRUE;
  s->found = window;
  return FALSE;
}

std::vector<HWND> Ancestors(HWND window) {
  std::vector<HWND> chain;
  for (HWND w = window; w != nullptr; w = GetParent(w)) chain.push_back(w);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

struct BlockingCall {
  HWND target;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  DWORD timeoutMs;
};

DWORD WINAPI BlockingCallThread(void* param) {
  auto* call = static_cast<BlockingCall*>(param);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(call->target, call->msg, call->wParam, call->lParam, SMTO_NORMAL,
                      call->timeoutMs, &result);
  return 0;
}

}  // namespace

AppSession::~AppSession() {
  Stop();
}

bool AppSession::Start(const std::string& exePath, std::string* error) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exePath + "\"";
  if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    *error = "cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  WaitForInputIdle(process_.hProcess, 30000);
  for (int i = 0; i < 600 && main_ == nullptr; ++i) {
    FindMain find{process_.dwProcessId, nullptr};
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&find));
    main_ = find.found;
    if (main_ == nullptr) {
      if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) {
        *error = "velotune.exe ended before showing its window";
        return false;
      }
    }
  }
  if (main_ == nullptr) {
    *error = "velotune.exe showed no main window within a minute";
    return false;
  }
  const std::string box = TakeErrorBox();
  if (!box.empty()) {
    *error = "velotune.exe showed a message at start: " + box;
    return false;
  }
  return WaitIdle(30000);
}

void AppSession::Stop() {
  if (process_.hProcess == nullptr) return;
  if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  process_ = PROCESS_INFORMATION{};
  main_ = nullptr;
}

std::vector<HWND> AppSession::WithCaption(const std::string& caption) const {
  std::vector<HWND> out;
  Collect c{&out, caption, false};
  EnumChildWindows(main_, CollectProc, reinterpret_cast<LPARAM>(&c));
  return out;
}

std::vector<HWND> AppSession::OfClass(const std::string& className) const {
  std::vector<HWND> out;
  Collect c{&out, className, true};
  EnumChildWindows(main_, CollectProc, reinterpret_cast<LPARAM>(&c));
  return out;
}

HWND AppSession::Control(const std::string& caption) const {
  std::vector<HWND> all = WithCaption(caption);
  return all.size() == 1 ? all[0] : nullptr;
}

HWND AppSession::Nearest(const std::vector<HWND>& candidates, HWND marker) {
  const std::vector<HWND> markerChain = Ancestors(marker);
  HWND best = nullptr;
  std::size_t bestDepth = 0;
  for (HWND candidate : candidates) {
    const std::vector<HWND> chain = Ancestors(candidate);
    std::size_t depth = 0;
    while (depth < chain.size() && depth < markerChain.size() &&
           chain[depth] == markerChain[depth]) {
      ++depth;
    }
    if (depth > bestDepth) {
      best = candidate;
      bestDepth = depth;
    }
  }
  return best;
}

std::string AppSession::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

bool AppSession::Checked(HWND box) {
  return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Tab rectangles cannot be asked for across processes, so the tabs are
// walked with the arrow keys, as a user with the keyboard would.
bool AppSession::ShowPageOf(HWND control) {
  if (IsWindowVisible(control)) return true;
  for (HWND tabs : OfClass(WC_TABCONTROLA)) {
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) Key(tabs, VK_LEFT);
    for (int i = 0; i < count; ++i) {
      if (IsWindowVisible(control)) return true;
      Key(tabs, VK_RIGHT);
    }
    if (IsWindowVisible(control)) return true;
  }
  return false;
}

HWND AppSession::TrackBar() const {
  std::vector<HWND> bars = OfClass(TRACKBAR_CLASSA);
  return bars.size() == 1 ? bars[0] : nullptr;
}

int AppSession::TrackBarPosition(HWND bar) {
  return static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
}

void AppSession::Click(HWND button) {
  SendMessageA(button, BM_CLICK, 0, 0);
  WaitIdle(5000);
}

void AppSession::SetChecked(HWND box, bool checked) {
  if (Checked(box) != checked) Click(box);
}

void AppSession::SetEditText(HWND edit, const std::string& text) {
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  WaitIdle(5000);
}

void AppSession::Key(HWND control, int virtualKey) {
  SendMessageA(control, WM_KEYDOWN, virtualKey, 1);
  SendMessageA(control, WM_KEYUP, virtualKey, 0xC0000001);
  WaitIdle(5000);
}

std::string AppSession::RunBlocking(HWND target, UINT msg, WPARAM wParam, LPARAM lParam,
                                    DWORD timeoutMs) {
  BlockingCall call{target, msg, wParam, lParam, timeoutMs};
  HANDLE thread = CreateThread(nullptr, 0, BlockingCallThread, &call, 0, nullptr);
  std::string box;
  while (WaitForSingleObject(thread, 100) == WAIT_TIMEOUT) {
    const std::string shown = TakeErrorBox();
    if (!shown.empty()) box = shown;
  }
  CloseHandle(thread);
  const std::string late = TakeErrorBox();
  return late.empty() ? box : late;
}

std::string AppSession::Press(HWND button, DWORD timeoutMs) {
  return RunBlocking(button, BM_CLICK, 0, 0, timeoutMs);
}

std::string AppSession::DoubleClick(int designX, int designY, DWORD timeoutMs) {
  RECT client{};
  GetClientRect(main_, &client);
  const int x = designX * client.right / 790;
  const int y = designY * client.bottom / 648;
  const LPARAM point = MAKELPARAM(x, y);
  SendMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(main_, WM_LBUTTONUP, 0, point);
  const std::string box = RunBlocking(main_, WM_LBUTTONDBLCLK, MK_LBUTTON, point, timeoutMs);
  SendMessageA(main_, WM_LBUTTONUP, 0, point);
  return box;
}

std::string AppSession::TakeErrorBox() {
  ErrorBoxSearch s{process_.dwProcessId, nullptr};
  EnumWindows(ErrorBoxProc, reinterpret_cast<LPARAM>(&s));
  if (s.found == nullptr) return "";
  std::string text;
  HWND message = GetDlgItem(s.found, 0xFFFF);
  text = message ? Text(message) : Text(s.found);
  if (text.empty()) text = "(a dialog: " + Text(s.found) + ")";
  PostMessageA(s.found, WM_COMMAND, IDOK, 0);
  PostMessageA(s.found, WM_CLOSE, 0, 0);
  for (int i = 0; i < 50 && IsWindow(s.found); ++i) Sleep(100);
  return text;
}

bool AppSession::WaitIdle(DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

}  // namespace velotune
