#include "resize/kit_window.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/control.h"
#include "resize/form_bridge.h"
#include "resize/size_limits.h"

namespace velotune {

namespace {

// One loaded kit and the form window whose messages it sees first.
struct KitEntry {
  TResizeKit* kit;
  TWinControl* form;
  HWND formHandle;
  TWndMethod previousWndProc;
  bool intercepting;
};

// What the handling of one message works on, copied out of the list so that
// handlers that load or free kits on the way cannot move it from under it.
struct KitTarget {
  TResizeKit* kit;
  TWinControl* form;
  HWND formHandle;
};

// Every loaded kit of the process; a form's messages find their kit here.
std::vector<KitEntry>& KitList() {
  static std::vector<KitEntry> list;
  return list;
}

int osMajorVersion = 0;
int osMinorVersion = 0;
// On systems of major version 4 the kit sees the thread's messages through a
// call-window-procedure hook instead of taking over the form's procedure. The
// hook serves every kit of the thread: it stays while any kit that is
// switched on uses it.
HHOOK hookHandle = nullptr;
std::vector<const TResizeKit*>& HookUsers() {
  static std::vector<const TResizeKit*> users;
  return users;
}

KitEntry* FindEntry(const TResizeKit* kit) {
  for (KitEntry& e : KitList())
    if (e.kit == kit) return &e;
  return nullptr;
}

KitEntry* FindEntryByHandle(HWND window) {
  for (KitEntry& e : KitList())
    if (e.formHandle == window) return &e;
  return nullptr;
}

KitRect ToKitRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

KitRect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return ToKitRect(r);
}

// Through the control when the window belongs to one, so that the
// framework's idea of the bounds follows.
void MoveWindowTo(HWND window, int x, int y, int w, int h) {
  if (TWinControl* control = TWinControl::FromHandle(window)) control->SetBounds(x, y, w, h);
  RECT r{};
  GetWindowRect(window, &r);
  if (r.left != x || r.top != y || r.right - r.left != w || r.bottom - r.top != h)
    MoveWindow(window, x, y, w, h, TRUE);
}

// The kit's message procedure on a form: the kit's handling first, then the
// procedure it replaced. It carries that procedure itself, so that the form
// keeps its own handling even when no kit claims the window any more.
struct KitWndProc {
  HWND window;
  // Shared, so that a handler that replaces the form's procedure while this
  // one runs does not pull the previous one from under it.
  std::shared_ptr<const TWndMethod> previous;
  void operator()(TMessage& message) const;
};

void Intercept(KitEntry& entry) {
  if (entry.intercepting) return;
  entry.previousWndProc = entry.form->WindowProc;
  entry.form->WindowProc =
      KitWndProc{entry.formHandle, std::make_shared<const TWndMethod>(entry.previousWndProc)};
  entry.intercepting = true;
}

// Gives the form its previous procedure back, unless something has wrapped
// the kit's since: then the kit's stays in the chain and passes messages on.
void StopIntercepting(KitEntry& entry) {
  if (!entry.intercepting || !entry.form->WindowProc.target<KitWndProc>()) return;
  entry.form->WindowProc = entry.previousWndProc;
  entry.intercepting = false;
}

void Rescale(const KitTarget target, int clientWidth, int clientHeight) {
  TResizeKit& kit = *target.kit;
  // Captions matter only when components came or went since the last look.
  const bool componentsChanged = target.form->Components().size() !=
                                 static_cast<std::size_t>(kit.Layout().knownComponentCount);
  FormSnapshot snapshot = TakeSnapshot(*target.form, componentsChanged);
  FormModel after = snapshot.model;
  RescaleLayout(after, kit.Layout(), kit.Settings(), clientWidth, clientHeight);
  ApplyLayout(*target.form, snapshot, after, kit.Layout());

  HWND window = target.formHandle;
  if (kit.Limits().HasMax() && IsZoomed(window)) {
    KitPoint to;
    if (KeepMaximizedInside(GetWorkArea(kit.ValidTaskbar()), kit.ValidTaskbar(), WindowRect(window),
                            &to)) {
      const KitRect r = WindowRect(window);
      MoveWindowTo(window, to.x, to.y, r.Width(), r.Height());
    }
  }
  kit.ExitResize();
}

void FirstShow(const KitTarget target) {
  TResizeKit& kit = *target.kit;
  const WorkArea area = GetWorkArea(kit.ValidTaskbar());
  const KitRect r = WindowRect(target.formHandle);
  const KitSize size =
      FirstShowSize(kit.FormWidth(), kit.FormHeight(), {r.Width(), r.Height()}, area);
  PlaceForm(target.formHandle, kit.FormPos(), area, size.width, size.height);
}

void LimitMaximize(const KitTarget target, MINMAXINFO& info) {
  const TResizeKit& kit = *target.kit;
  const MaximizeLimits limits = ComputeMaximizeLimits(
      GetWorkArea(kit.ValidTaskbar()), kit.Limits(), {info.ptMaxPosition.x, info.ptMaxPosition.y},
      WindowRect(target.formHandle), KitLaterSystem(osMajorVersion, osMinorVersion));
  info.ptMaxSize = {limits.maxSize.width, limits.maxSize.height};
  info.ptMaxTrackSize = info.ptMaxSize;
  info.ptMaxPosition = {limits.maxPosition.x, limits.maxPosition.y};
}

// The kit's part of a form message; the form's own handling follows.
void TreatMessage(const KitTarget target, TMessage& m) {
  HWND window = target.formHandle;
  switch (m.Msg) {
    case WM_SHOWWINDOW:
      if (m.WParam && !target.kit->Sized() && !IsIconic(window)) FirstShow(target);
      break;
    case WM_SIZE:
      if (m.WParam != SIZE_MINIMIZED) Rescale(target, LOWORD(m.LParam), HIWORD(m.LParam));
      break;
    case WM_SIZING: {
      RECT* proposed = reinterpret_cast<RECT*>(m.LParam);
      KitRect r = ToKitRect(*proposed);
      LimitSizingRect(r, target.kit->Limits());
      *proposed = RECT{r.left, r.top, r.right, r.bottom};
      break;
    }
    case WM_GETMINMAXINFO:
      if (!IsIconic(window)) LimitMaximize(target, *reinterpret_cast<MINMAXINFO*>(m.LParam));
      break;
  }
}

void KitWndProc::operator()(TMessage& message) const {
  const std::shared_ptr<const TWndMethod> next = previous;
  KitEntry* entry = FindEntryByHandle(window);
  if (entry && entry->kit->Enabled())
    TreatMessage({entry->kit, entry->form, entry->formHandle}, message);
  (*next)(message);
}

LRESULT CALLBACK CallWndHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    KitEntry* entry = FindEntryByHandle(call->hwnd);
    if (entry && entry->kit->Enabled()) {
      // Structures that the message points to are changed in place, so the
      // window procedure that runs next sees the kit's limits.
      TMessage message{call->message, call->wParam, call->lParam, 0};
      TreatMessage({entry->kit, entry->form, entry->formHandle}, message);
    }
  }
  return CallNextHookEx(hookHandle, code, wParam, lParam);
}

void InstallHook() {
  if (!hookHandle)
    hookHandle = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHook, nullptr, GetCurrentThreadId());
}

void RemoveHook() {
  if (hookHandle) UnhookWindowsHookEx(hookHandle);
  hookHandle = nullptr;
}

void StartUsingHook(const TResizeKit& kit) {
  std::vector<const TResizeKit*>& users = HookUsers();
  if (std::find(users.begin(), users.end(), &kit) == users.end()) users.push_back(&kit);
  InstallHook();
}

// The hook goes with the last kit that uses it.
void StopUsingHook(const TResizeKit& kit) {
  std::vector<const TResizeKit*>& users = HookUsers();
  users.erase(std::remove(users.begin(), users.end(), &kit), users.end());
  if (users.empty()) RemoveHook();
}

}  // namespace

int KitOsMajorVersion() {
  return osMajorVersion;
}
int KitOsMinorVersion() {
  return osMinorVersion;
}

void KitWindowCreated(TResizeKit& kit) {
  const DWORD version = GetVersion();
  osMajorVersion = LOBYTE(LOWORD(version));
  osMinorVersion = HIBYTE(LOWORD(version));
  if (osMajorVersion == 4) StartUsingHook(kit);
}

void KitWindowDestroyed(TResizeKit& kit) {
  StopUsingHook(kit);
  std::vector<KitEntry>& list = KitList();
  auto it =
      std::find_if(list.begin(), list.end(), [&kit](const KitEntry& e) { return e.kit == &kit; });
  if (it == list.end()) return;
  // While the form itself is being destroyed its window is already gone;
  // otherwise the form gets its own message handling back.
  if (kit.Owner() && !(kit.Owner()->ComponentState() & csDestroying)) StopIntercepting(*it);
  list.erase(it);
}

void KitWindowLoaded(TResizeKit& kit) {
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  TWinControl* form = dynamic_cast<TWinControl*>(kit.Owner());
  if (!form || kit.Name().empty() || form->FindComponent(kit.Name()) != &kit) return;
  if (FindEntry(&kit)) return;
  KitList().push_back(KitEntry{&kit, form, form->Handle(), TWndMethod(), false});

  FormSnapshot snapshot = TakeSnapshot(*form, false);
  FormModel after = snapshot.model;
  LoadLayout(after, kit.Layout(), kit.Settings(), dpiX, dpiY);
  ApplyLayout(*form, snapshot, after, kit.Layout());
  // Base and last bounds are what the controls really took.
  for (CtrlInfo& info : kit.Layout().ctrlInfos) info.base = info.last;

  if (osMajorVersion > 4) Intercept(*FindEntry(&kit));
}

void KitWindowPlaceNow(TResizeKit& kit) {
  KitEntry* entry = FindEntry(&kit);
  if (!entry) return;
  const KitRect r = WindowRect(entry->formHandle);
  PlaceForm(entry->formHandle, kit.FormPos(), GetWorkArea(kit.ValidTaskbar()), r.Width(),
            r.Height());
}

void KitWindowSetIntercepting(TResizeKit& kit, bool on) {
  if (osMajorVersion == 4) {
    if (on)
      StartUsingHook(kit);
    else
      StopUsingHook(kit);
    return;
  }
  KitEntry* entry = FindEntry(&kit);
  if (!entry) return;
  if (on)
    Intercept(*entry);
  else
    StopIntercepting(*entry);
}

HWND KitFormHandle(const TResizeKit& kit) {
  const KitEntry* entry = FindEntry(&kit);
  return entry ? entry->formHandle : nullptr;
}

WorkArea GetWorkArea(bool validTaskbar) {
  ScreenFacts facts;
  facts.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  facts.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (osMajorVersion >= 4) {
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) {
      facts.taskbarKnown = true;
      facts.taskbar = ToKitRect(bar.rc);
      APPBARDATA state{};
      state.cbSize = sizeof state;
      facts.taskbarAutoHides = (SHAppBarMessage(ABM_GETSTATE, &state) & ABS_AUTOHIDE) != 0;
    }
  }
  return ComputeWorkArea(facts, validTaskbar);
}

void PlaceForm(HWND form, TResizeFormPos pos, const WorkArea& area, int w, int h) {
  if (IsZoomed(form)) return;
  const KitRect r = WindowRect(form);
  const KitPoint at = PlaceFormPosition(area, pos, {r.left, r.top}, {w, h},
                                        KitLaterSystem(osMajorVersion, osMinorVersion));
  MoveWindowTo(form, at.x, at.y, w, h);
}

}  // namespace velotune
