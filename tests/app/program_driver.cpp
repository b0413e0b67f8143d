#include "program_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

namespace velotune {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct EnumState {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
  auto* state = reinterpret_cast<EnumState*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == state->pid && IsWindowVisible(window)) state->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// A block of memory in the program, for messages whose buffers the system
// does not carry across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size) : process_(process) {
    memory_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
  }
  void* Address() const { return memory_; }
  void Write(const void* data, SIZE_T size) {
    WriteProcessMemory(process_, memory_, data, size, nullptr);
  }
  void Read(void* data, SIZE_T size) const {
    ReadProcessMemory(process_, memory_, data, size, nullptr);
  }

 private:
  HANDLE process_;
  void* memory_;
};

}  // namespace

ProgramDriver::~ProgramDriver() {
  Stop();
}

std::string ProgramDriver::ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self = path;
  return self.substr(0, self.find_last_of('\\') + 1) + "velotune.exe";
}

HWND ProgramDriver::StartToMainWindow(DWORD timeoutMs) {
  DeleteProgramKeys();
  WriteUserString("Zolex\\Support", "01", "0");
  if (!Start()) return nullptr;
  main_ = WaitForWindow("Velotune", "TTweakFrm", timeoutMs);
  return main_;
}

bool ProgramDriver::Start() {
  return Start(ProgramPath());
}

bool ProgramDriver::Start(const std::string& path) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::string command = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_))
    return false;
  WaitForInputIdle(process_.hProcess, 10000);
  return true;
}

bool ProgramDriver::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void ProgramDriver::Stop() {
  if (!process_.hProcess) return;
  for (int round = 0; round < 20 && Running(); ++round) {
    for (HWND window : TopWindows()) PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.hProcess, 500);
  }
  if (Running()) TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  main_ = nullptr;
}

std::vector<HWND> ProgramDriver::TopWindows() const {
  EnumState state{process_.dwProcessId, {}};
  if (process_.hProcess) EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&state));
  return state.windows;
}

HWND ProgramDriver::WaitForWindow(const std::string& caption, const std::string& className,
                                  DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND window : TopWindows()) {
          if (Text(window) == caption && (className.empty() || ClassOf(window) == className)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::string ProgramDriver::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::string ProgramDriver::ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::vector<HWND> ProgramDriver::Find(HWND parent, const std::string& className,
                                      const std::string& text) {
  std::vector<HWND> all, matching;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all)
    if ((className.empty() || Lower(ClassOf(window)) == Lower(className)) &&
        (text.empty() || Text(window) == text))
      matching.push_back(window);
  return matching;
}

HWND ProgramDriver::FindOne(HWND parent, const std::string& className, const std::string& text) {
  std::vector<HWND> found = Find(parent, className, text);
  return found.size() == 1 ? found[0] : nullptr;
}

HWND ProgramDriver::Nearest(const std::vector<HWND>& candidates, HWND marker) {
  auto ancestors = [](HWND window) {
    std::vector<HWND> chain;
    for (HWND w = window; w != nullptr; w = GetParent(w)) chain.push_back(w);
    std::reverse(chain.begin(), chain.end());
    return chain;
  };
  const std::vector<HWND> markerChain = ancestors(marker);
  HWND best = nullptr;
  std::size_t bestDepth = 0;
  for (HWND candidate : candidates) {
    const std::vector<HWND> chain = ancestors(candidate);
    std::size_t depth = 0;
    while (depth < chain.size() && depth < markerChain.size() && chain[depth] == markerChain[depth])
      ++depth;
    if (depth > bestDepth) {
      best = candidate;
      bestDepth = depth;
    }
  }
  return best;
}

bool ProgramDriver::Checked(HWND box) {
  return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ProgramDriver::TabTexts(HWND tabs) const {
  std::vector<std::string> texts;
  int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  RemoteBuffer remote(process_.hProcess, sizeof(TCITEMA) + 256);
  for (int i = 0; i < count; ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = static_cast<char*>(remote.Address()) + sizeof(TCITEMA);
    item.cchTextMax = 255;
    remote.Write(&item, sizeof(item));
    SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote.Address()));
    char buffer[sizeof(TCITEMA) + 256] = {};
    remote.Read(buffer, sizeof(buffer));
    buffer[sizeof(buffer) - 1] = 0;
    texts.push_back(buffer + sizeof(TCITEMA));
  }
  return texts;
}

std::string ProgramDriver::StatusText(HWND bar, int panel) const {
  RemoteBuffer remote(process_.hProcess, 512);
  char zero[512] = {};
  remote.Write(zero, sizeof(zero));
  SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(remote.Address()));
  char text[512] = {};
  remote.Read(text, sizeof(text) - 1);
  return text;
}

void ProgramDriver::ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ProgramDriver::DoubleClickAt(HWND window, int x, int y) {
  ClickAt(window, x, y);
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ProgramDriver::Press(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
}

bool ProgramDriver::WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(100);
  }
}

std::string ProgramDriver::MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? Text(text) : "";
}

// Tab rectangles cannot be asked for across processes, so the tabs are
// walked with the arrow keys, as a user with the keyboard would.
bool ProgramDriver::ShowPageOf(HWND control) {
  if (IsWindowVisible(control)) return true;
  for (HWND tabs : Find(main_, WC_TABCONTROLA)) {
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

HWND ProgramDriver::Sidebar(HWND main) {
  for (HWND panel : Find(main, "TPanel")) {
    HWND parent = GetParent(panel);
    if (ClassOf(parent) == "TPanel" && GetParent(parent) == main) return panel;
  }
  return nullptr;
}

void ProgramDriver::ClickSidebar(HWND main, bool fix) {
  // The buttons stand at 8, 32 (TWEAK) and 8, 104 (FIX) in the panel.
  if (HWND sidebar = Sidebar(main)) ClickAt(sidebar, 8 + 60, fix ? 104 + 36 : 32 + 32);
}

void ProgramDriver::ShowEveryPage() {
  for (HWND tabs : Find(main_, WC_TABCONTROLA)) {
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 1; i < count; ++i) Key(tabs, VK_RIGHT);
  }
  ClickSidebar(main_, true);
  WaitIdle(5000);
  ClickSidebar(main_, false);
  WaitIdle(5000);
}

void ProgramDriver::Click(HWND button) {
  SendMessageA(button, BM_CLICK, 0, 0);
  WaitIdle(5000);
}

void ProgramDriver::SetChecked(HWND box, bool checked) {
  if (Checked(box) != checked) Click(box);
}

void ProgramDriver::SetEditText(HWND edit, const std::string& text) {
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  WaitIdle(5000);
}

void ProgramDriver::Key(HWND control, int virtualKey) {
  SendMessageA(control, WM_KEYDOWN, virtualKey, 1);
  SendMessageA(control, WM_KEYUP, virtualKey, 0xC0000001);
  WaitIdle(5000);
}

namespace {

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

// The message is sent from another thread, so that a message box the handler
// shows can be taken meanwhile.
std::string ProgramDriver::RunBlocking(HWND target, UINT msg, WPARAM wParam, LPARAM lParam,
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

std::string ProgramDriver::PressAndTakeErrorBox(HWND button, DWORD timeoutMs) {
  return RunBlocking(button, BM_CLICK, 0, 0, timeoutMs);
}

std::string ProgramDriver::DoubleClickAndTakeErrorBox(int designX, int designY, DWORD timeoutMs) {
  RECT client{};
  GetClientRect(main_, &client);
  const LPARAM point = MAKELPARAM(designX * client.right / 790, designY * client.bottom / 648);
  SendMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(main_, WM_LBUTTONUP, 0, point);
  const std::string box = RunBlocking(main_, WM_LBUTTONDBLCLK, MK_LBUTTON, point, timeoutMs);
  SendMessageA(main_, WM_LBUTTONUP, 0, point);
  return box;
}

std::string ProgramDriver::TakeErrorBox() {
  HWND box = nullptr;
  for (HWND window : TopWindows())
    if (ClassOf(window) == "#32770") box = window;
  if (!box) return "";
  std::string text = MessageBoxText(box);
  if (text.empty()) text = "(a dialog: " + Text(box) + ")";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  PostMessageA(box, WM_CLOSE, 0, 0);
  WaitFor([box] { return !IsWindow(box); }, 5000);
  return text;
}

bool ProgramDriver::WaitIdle(DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

namespace {
void DeleteTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD size = sizeof(name);
    if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    DeleteTree(key, name);
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}
}  // namespace

void DeleteProgramKeys() {
  DeleteTree(HKEY_CURRENT_USER, "Zolex");
}

std::string ReadUserString(const std::string& key, const std::string& name) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return "<missing>";
  char data[1024] = {};
  DWORD size = sizeof(data) - 1, type = 0;
  LONG result =
      RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
  return data;
}

void WriteUserString(const std::string& key, const std::string& name, const std::string& value) {
  HKEY handle;
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                  nullptr);
  RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

void WriteUserDword(const std::string& key, const std::string& name, DWORD value) {
  HKEY handle;
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                  nullptr);
  RegSetValueExA(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof(value));
  RegCloseKey(handle);
}

}  // namespace velotune
