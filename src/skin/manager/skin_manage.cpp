#include "skin/manager/skin_manage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "framework/containers.h"
#include "framework/form.h"
#include "framework/graphic_controls.h"
#include "framework/std_controls.h"
#include "platform/text_case.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/skin_messages.h"
#include "skin/manager/wrapper_registry.h"
#include "skin/menus/system_menu_items.h"
#include "skin/menus/win_skin_menu.h"

namespace velotune::skin {

namespace {

TSkinManage* instance = nullptr;
// How often a request that waits for a menu loop looks again.
constexpr UINT kMenuLoopWaitMs = 100;

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// A window the skin could not take over: told to a debugger, since the
// program goes on in the system's look.
void ReportFailedAttach(HWND window, const std::string& className) {
  char line[200];
  std::snprintf(line, sizeof(line), "Velotune skin: window %p (%s) could not be skinned\n",
                static_cast<void*>(window), className.c_str());
  OutputDebugStringA(line);
}

bool AnswersSkinned(HWND window) {
  return window && SendMessageA(window, SKM_QUERYSKINNED, 0, 0) == 1;
}

TForm* FormOf(HWND window) {
  return dynamic_cast<TForm*>(TWinControl::FromHandle(window));
}

// A control is wrapped when it owns a wrapper.
bool Wrapped(const TControl* control) {
  for (TComponent* c : control->Components())
    if (dynamic_cast<TSkinControl*>(c)) return true;
  return false;
}

}  // namespace

ControlFacts FactsOfControl(TControl* control) {
  ControlFacts facts;
  facts.className = control->ClassName();
  unsigned t = 0;
  if (auto* pages = dynamic_cast<TPageControl*>(control)) {
    t |= ctCustomTabControl | ctPageControl;
    if (pages->style == 0) t |= ctTabsStyle;
  }
  if (dynamic_cast<TTabSheet*>(control)) t |= ctTabSheet;
  if (dynamic_cast<TCheckBox*>(control)) t |= ctCustomCheckBox;
  if (dynamic_cast<TTrackBar*>(control)) t |= ctTrackBar;
  if (dynamic_cast<TGroupBox*>(control)) t |= ctCustomGroupBox;
  if (dynamic_cast<TRadioButton*>(control)) t |= ctRadioButton;
  if (dynamic_cast<TStatusBar*>(control)) t |= ctCustomStatusBar;
  if (dynamic_cast<TComboBox*>(control)) t |= ctCustomComboBox;
  if (dynamic_cast<TSpeedButton*>(control)) t |= ctSpeedButton;
  if (dynamic_cast<TPanel*>(control)) t |= ctCustomPanel;
  if (dynamic_cast<TRichEdit*>(control)) t |= ctCustomMemo | ctCustomEdit;
  if (dynamic_cast<TScrollBox*>(control)) t |= ctScrollBox;
  if (dynamic_cast<TButton*>(control)) t |= ctButton;
  if (dynamic_cast<TEdit*>(control)) t |= ctCustomEdit;
  if (dynamic_cast<TForm*>(control)) t |= ctCustomForm;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    t |= ctWindowed;
    if (windowed->HandleAllocated() &&
        (GetWindowLongA(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)))
      t |= ctScrollStyle;
  }
  facts.traits = t;
  if (control->HasProperty("NumButtons")) {
    try {
      facts.numButtons = std::stoi(control->GetPropText("NumButtons"));
    } catch (const std::exception&) {
    }
  }
  if (control->HasProperty("Kind")) {
    try {
      facts.buttonKind = control->GetPropText("Kind");
    } catch (const std::exception&) {
    }
  }
  return facts;
}

WrapSettings WrapSettingsOf(const TSkinData& data) {
  WrapSettings s;
  s.skinControls = data.SkinControls;
  s.tabImages = data.Part(spTabs) != nullptr;
  s.skin3rd = data.Skin3rd;
  return s;
}

SkinManagerLink* MakeSkinManager() {
  if (!instance) instance = new TSkinManage();
  return instance;
}

void InstallSkinManager() {
  SetSkinManagerFactory(&MakeSkinManager);
}

TSkinManage* TSkinManage::Instance() {
  return instance;
}

TSkinManage::TSkinManage()
    : popups_([this]() -> TSkinData* {
        return skinning_ && !steppedAside_ && !shuttingDown_ ? default_ : nullptr;
      }),
      steppedAside_(HighContrastOn()),
      watcher_(std::make_unique<SettingsWatcher>([this] { SettingsChanged(); })) {
  SetLateControlWindowsHandler(&TSkinManage::WrapLateWindows);
}

void TSkinManage::SettingsChanged() {
  if (shuttingDown_) return;
  const bool highContrast = HighContrastOn();
  if (highContrast != steppedAside_) {
    // The skin steps aside as when skinning is switched off, and comes back
    // as when it is switched on; the program's own wish is kept meanwhile.
    steppedAside_ = highContrast;
    Schedule(highContrast ? srSkinOff : srSkinOn, 1);
    return;
  }
  // Colours the skin takes from the system may have changed.
  for (TWinSkinForm* skinned : windows_)
    RedrawWindow(skinned->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TSkinManage::~TSkinManage() {
  shuttingDown_ = true;
  while (!windows_.empty()) GiveBack(windows_.back());
  for (TWinSkinForm* form : std::exchange(gone_, {})) delete form;
  formMenus_.clear();
  if (hook_) UnhookWindowsHookEx(hook_);
  SetControlWindowsBatchHandler(nullptr);
  SetLateControlWindowsHandler(nullptr);
  watcher_.reset();
  if (timer_) KillTimer(nullptr, timer_);
  // Forms that outlive the manager (their windows forgotten) stop calling it.
  TWinSkinForm::ForgetHost(this);
  if (instance == this) instance = nullptr;
  ForgetSkinManager(this);
}

void TSkinManage::RegisterSkinData(TSkinData& data) {
  if (std::find(datas_.begin(), datas_.end(), &data) != datas_.end()) return;
  datas_.push_back(&data);
  if (!default_ && data.SkinFormtype == sfMainform) default_ = &data;
}

void TSkinManage::UnregisterSkinData(TSkinData& data) {
  auto it = std::find(datas_.begin(), datas_.end(), &data);
  if (it == datas_.end()) return;
  // Windows drawn with this skin are given back before it goes.
  for (TWinSkinForm* skinned : std::vector<TWinSkinForm*>(windows_))
    if (skinned->Data() == &data) GiveBack(skinned);
  datas_.erase(std::find(datas_.begin(), datas_.end(), &data));
  if (pointed_ == &data) pointed_ = nullptr;
  if (default_ == &data) {
    default_ = nullptr;
    for (TSkinData* other : datas_)
      if (other->SkinFormtype == sfMainform) {
        default_ = other;
        break;
      }
  }
  // The last component takes the manager, its hook and its timer with it.
  if (datas_.empty()) delete this;
}

void TSkinManage::PointAt(TSkinData& data) {
  pointed_ = &data;
}

void TSkinManage::PrepareMainFormSkin(TSkinData&) {
  InstallHook();
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = SetWindowsHookExA(WH_CBT, &TSkinManage::CbtHook, nullptr, GetCurrentThreadId());
  if (hook_) SetControlWindowsBatchHandler(&TSkinManage::SetHookAside);
}

void TSkinManage::SetHookAside(bool aside) {
  TSkinManage* self = instance;
  if (!self) return;
  // Control windows are children: the hook skins none of them, adopts no
  // popup menu among them and sees no window activated or destroyed while
  // they are made.
  if (aside && self->hook_) {
    UnhookWindowsHookEx(self->hook_);
    self->hook_ = nullptr;
    self->hookAside_ = true;
  } else if (!aside && self->hookAside_) {
    self->hookAside_ = false;
    self->InstallHook();
  }
}

void TSkinManage::WrapLateWindows(const std::vector<TWinControl*>& made) {
  TSkinManage* self = instance;
  if (!self || self->shuttingDown_) return;
  for (TWinControl* control : made) {
    TForm* form = control->ParentForm();
    TWinSkinForm* skinned =
        form && form->HandleAllocated() ? self->FindSkinnedWindow(form->Handle()) : nullptr;
    // Before its form's controls are wrapped, that wrapping takes it along.
    if (!skinned || skinned->State() != fsSkinned || !skinned->Data()) continue;
    try {
      self->WrapControl(*skinned, control, control->Parent());
    } catch (...) {
      // A control the skin cannot wrap keeps the system look.
    }
  }
}

void TSkinManage::SkinOwnerForm(TSkinData& data) {
  if (auto* form = dynamic_cast<TForm*>(data.OwnerForm))
    if (form->HandleAllocated()) SkinWindow(form->Handle());
}

void TSkinManage::RequestSkinning(SkinRequest kind, int delayMs) {
  // The flag follows at once, so that windows activated meanwhile are
  // treated by it; the timer then applies the request to the windows there.
  if (kind == srSkinOn) skinning_ = true;
  if (kind == srSkinOff) skinning_ = false;
  Schedule(kind, delayMs);
}

void TSkinManage::Schedule(SkinRequest kind, int delayMs) {
  pending_ = kind;
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = SetTimer(nullptr, 0, static_cast<UINT>(std::max(delayMs, 1)), &TSkinManage::TimerTick);
}

void CALLBACK TSkinManage::TimerTick(HWND, UINT, UINT_PTR id, DWORD) {
  if (!instance) {
    KillTimer(nullptr, id);
    return;
  }
  KillTimer(nullptr, id);
  if (instance->timer_ == id) instance->timer_ = 0;
  instance->RunRequest();
}

void TSkinManage::MenuLoop(bool entering) {
  menuLoops_ = std::max(0, menuLoops_ + (entering ? 1 : -1));
}

void TSkinManage::WindowGone(TWinSkinForm& form) {
  ForgetWindow(form.Handle());
  if (std::find(gone_.begin(), gone_.end(), &form) == gone_.end()) gone_.push_back(&form);
  // A request on its way frees them when it runs; else one is made for it.
  if (!timer_) RequestSkinning(srDropDestroyed, 1);
}

void TSkinManage::RunRequest() {
  // The gone windows' objects have handled their last message by now.
  for (TWinSkinForm* form : std::exchange(gone_, {})) delete form;
  if (menuLoops_ > 0) {
    // A menu loop's owner is used again when the loop returns: the request
    // waits until the loop has ended.
    timer_ = SetTimer(nullptr, 0, kMenuLoopWaitMs, &TSkinManage::TimerTick);
    return;
  }
  TSkinData* only = pointed_ && pointed_->SkinFormtype == sfOnlyThisForm ? pointed_ : nullptr;
  switch (pending_) {
    case srSkinOn: {
      if (!skinning_ || steppedAside_) break;
      const std::vector<TForm*> forms = TForm::Forms();
      for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TForm* form = *it;
        if (only && only->OwnerForm != form) continue;
        if (!form->HandleAllocated() || !IsWindowVisible(form->Handle())) continue;
        if (GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CHILD) continue;
        SkinWindow(form->Handle(), true);
      }
      break;
    }
    case srSkinOff:
      busy_ = true;
      for (TWinSkinForm* skinned : std::vector<TWinSkinForm*>(windows_))
        if (!only || skinned->Form() == only->OwnerForm) GiveBack(skinned);
      busy_ = false;
      break;
    case srRefresh:
      for (TWinSkinForm* skinned : std::vector<TWinSkinForm*>(windows_)) {
        if (pointed_ && skinned->Data() != pointed_) continue;
        if (skinned->Form())
          skinned->Form()->Perform(SKM_SKINCHANGED);
        else
          skinned->Reapply();
      }
      break;
    case srDropDestroyed:
      DropDestroyed();
      break;
  }
}

SkinnedFormMenus& TSkinManage::FormMenus(TWinSkinForm& skinned) {
  std::unique_ptr<SkinnedFormMenus>& menus = formMenus_[skinned.Handle()];
  if (!menus) menus = std::make_unique<SkinnedFormMenus>(*skinned.Data(), skinned.Scale());
  return *menus;
}

void TSkinManage::ForgetFormMenus(HWND window) {
  auto it = formMenus_.find(window);
  if (it == formMenus_.end()) return;
  // Handlers back before the entry goes.
  std::unique_ptr<SkinnedFormMenus> menus = std::move(it->second);
  formMenus_.erase(it);
}

void TSkinManage::GiveBack(TWinSkinForm* skinned) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), skinned), windows_.end());
  ForgetFormMenus(skinned->Handle());
  skinned->Detach();
  delete skinned;
}

void TSkinManage::DropDestroyed() {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                [](TWinSkinForm* w) {
                                  return !IsWindow(w->Handle()) || w->State() == fsDestroyed;
                                }),
                 windows_.end());
}

void TSkinManage::ForgetWindow(HWND window) {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                [window](TWinSkinForm* w) { return w->Handle() == window; }),
                 windows_.end());
}

TWinSkinForm* TSkinManage::FindSkinnedWindow(HWND window) const {
  for (TWinSkinForm* w : windows_)
    if (w->Handle() == window) return w;
  return nullptr;
}

TSkinData* TSkinManage::DataFor(HWND, TForm* form, const std::string& className) const {
  for (TSkinData* d : datas_)
    if (d->SkinFormtype == sfOnlyThisForm && form && d->OwnerForm == form) return d;
  if (className == "TMessageForm" || className == "#32770")
    for (TSkinData* d : datas_)
      if (d->SkinFormtype == sfDialog) return d;
  for (TSkinData* d : datas_)
    if (d->SkinFormtype == sfMainform) return d;
  return datas_.empty() ? nullptr : datas_.front();
}

bool TSkinManage::SkinWindow(HWND window, bool formPass) {
  // 1. Skinning is on and not stepped aside for high contrast; entries of
  // windows gone are dropped first.
  if (!skinning_ || steppedAside_ || shuttingDown_) return false;
  DropDestroyed();
  // 2. Not skinned already.
  if (FindSkinnedWindow(window) || AnswersSkinned(window)) return false;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
  // 3. Not a plain child window.
  if ((style & WS_CHILD) && !mdiChild && !formPass) {
    if (!SameText(ClassOf(GetParent(window)), "mdiclient")) return false;
  }
  // 4. Ours: a form, a window of this module, or a system dialog.
  const std::string className = ClassOf(window);
  TForm* form = FormOf(window);
  const bool ourModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) ==
                         GetModuleHandleA(nullptr);
  if (!form && !ourModule && className != "#32770") return false;
  // 5. A real window that is not excluded.
  RECT r;
  GetWindowRect(window, &r);
  if ((r.right <= r.left || r.bottom <= r.top) && !mdiChild) return false;
  if (form && form->Tag() == kUnskinnedTag) return false;
  if (className.find("TcxPopupEditPopupWindow") != std::string::npos ||
      className.find("TTERenderWindow") != std::string::npos || className == "TApplication")
    return false;
  // 6. The default component's filter.
  if (default_) {
    const std::string lower = LowerText(className);
    if (lower.find("preview") != std::string::npos && !InSet(default_->Options, xoPreview))
      return false;
    if (className == "#32770" && (style & 0x200)) return false;
    if (lower == "tpopupdbtreeview") return false;
    if (default_->OnFormSkin) {
      bool doSkin = true;
      default_->OnFormSkin(form ? form->Name() : className, doSkin);
      if (!doSkin) return false;
    }
  }
  // 7. A component with a decoded skin applies.
  TSkinData* data = DataFor(window, form, className);
  if (!data || data->SkinEmpty()) return false;

  auto* skinned = new TWinSkinForm(form, *this);
  skinned->SetWindow(window, className);
  if (!(form ? skinned->AttachForm(*data, *form) : skinned->Attach(*data))) {
    // Listed, it would count as skinned and never be: the window keeps its
    // system look, and the failure is told.
    delete skinned;
    ReportFailedAttach(window, className);
    return false;
  }
  if (form) FormMenus(*skinned).ApplyMainMenus(*form);
  windows_.push_back(skinned);
  PostMessageA(window, SKM_START, 0, kStartMarker);
  return true;
}

LRESULT CALLBACK TSkinManage::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* self = instance;
  if (self && !self->shuttingDown_) {
    const auto window = reinterpret_cast<HWND>(wParam);
    try {
      switch (code) {
        case HCBT_CREATEWND: {
          const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
          // Scroll-bar windows would be skinned here by the scroll-bar wrapper.
          if (!(create->style & WS_CHILD) && ClassOf(window) == "#32768")
            self->popups_.Adopt(window);
          if (create->dwExStyle & WS_EX_MDICHILD) self->SkinWindow(window);
          break;
        }
        case HCBT_DESTROYWND:
          self->ForgetFormMenus(window);
          if (TWinSkinForm* skinned = self->FindSkinnedWindow(window)) {
            self->ForgetWindow(window);
            // A foreign window's skin goes now; a form's goes with the form.
            if (!skinned->Owner()) delete skinned;
          }
          break;
        case HCBT_ACTIVATE:
          self->SkinWindow(window);
          break;
        default:
          break;
      }
    } catch (...) {
      // Skinning never stops a window from being made or activated.
    }
  }
  return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
}

void TSkinManage::SkinChildControls(TWinSkinForm& skinned) {
  if (TForm* form = skinned.Form()) {
    WrapFormControls(skinned, *form);
    return;
  }
  std::vector<HWND> children;
  for (HWND child = GetWindow(skinned.Handle(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongA(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
  for (HWND child : children) AttachForeignChild(skinned, child);
}

void TSkinManage::AttachForeignChild(TWinSkinForm& skinned, HWND child) {
  if (skinned.HasControl(child) || AnswersSkinned(child) || !skinned.Data()) return;
  const TSkinData& data = *skinned.Data();
  const std::string className = LowerText(ClassOf(child));
  WrapperKind kind = wkNone;
  if (className == "button") {
    switch (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        if (InSet(data.SkinControls, xcCheckBox)) kind = wkSkinCheckBox;
        break;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        if (InSet(data.SkinControls, xcRadioButton)) kind = wkSkinRadioButton;
        break;
      case BS_GROUPBOX:
        if (InSet(data.SkinControls, xcGroupBox)) kind = wkSkinGroupBox;
        break;
      default:
        if (InSet(data.SkinControls, xcButton)) kind = wkSkinButton;
        break;
    }
  }
  // Statics keep the dialog's face colour until a static wrapper exists.
  TSkinControl* wrapper = CreateWrapper(kind, nullptr, WrapChoice());
  if (!wrapper) return;
  if (!wrapper->AttachWindow(child, *skinned.Data(), skinned, skinned.ScratchDc())) delete wrapper;
}

void TSkinManage::WrapFormControls(TWinSkinForm& skinned, TForm& form) {
  FormMenus(skinned).ApplyPopupMenus(form);
  for (TComponent* component : std::vector<TComponent*>(form.Components()))
    if (auto* control = dynamic_cast<TControl*>(component))
      WrapControl(skinned, control, control->Parent());
  const int disableTag = skinned.Data()->DisableTag;
  for (TWinControl* control : form.TabOrderList()) {
    if (!control->HandleAllocated() || control->Tag() == disableTag ||
        AnswersSkinned(control->Handle()))
      continue;
    WrapControl(skinned, control, control->Parent());
  }
}

void TSkinManage::WrapChildren(TWinSkinForm& skinned, TWinControl* control) {
  for (TControl* child : std::vector<TControl*>(control->Controls()))
    WrapControl(skinned, child, control);
}

void TSkinManage::WrapControl(TWinSkinForm& skinned, TControl* control, TWinControl* parent) {
  TSkinData& data = *skinned.Data();
  auto* windowed = dynamic_cast<TWinControl*>(control);
  // 1. The disable tag, handed down by radio and check groups.
  if (control->Tag() == data.DisableTag) {
    const std::string lower = LowerText(control->ClassName());
    if (windowed && (lower.find("radiogroup") != std::string::npos ||
                     lower.find("checkgroup") != std::string::npos))
      for (TControl* child : windowed->Controls()) child->SetTag(control->Tag());
    return;
  }
  // 2. Only once, and only with a window.
  if (!parent || Wrapped(control)) return;
  if (windowed) {
    if (windowed->HandleAllocated() && AnswersSkinned(windowed->Handle())) return;
    // One whose window waits for its page is wrapped when that is made.
    if (!windowed->HandleAllocated() && windowed->WindowWaits()) return;
    try {
      windowed->HandleNeeded();
    } catch (const std::exception&) {
      return;
    }
  }
  const std::string upper = UpperText(control->ClassName());
  // 3. The program may supply its own wrapper.
  if (data.OnSkinControl) {
    TComponent* slot = nullptr;
    data.OnSkinControl(&skinned, parent, control, upper, slot);
    if (auto* own = dynamic_cast<TSkinControl*>(slot)) {
      own->AttachControl(skinned, data, false, skinned.ScratchDc());
      if (windowed && dynamic_cast<TPanel*>(control)) WrapChildren(skinned, windowed);
      return;
    }
  }
  // 4.-5. Skin3rd, then the built-in rules.
  const WrapChoice choice = ChooseWrapper(FactsOfControl(control), WrapSettingsOf(data));
  if (choice.leaveAlone) return;
  if (choice.childrenFirst && windowed) WrapChildren(skinned, windowed);
  if (choice.setTransparent && control->HasProperty("Transparent"))
    control->SetPropText("Transparent", "True");
  if (choice.childWrapper != wkNone && windowed) {
    for (TControl* child : std::vector<TControl*>(windowed->Controls())) {
      if (Wrapped(child)) continue;
      if (choice.childScrollOnly && !(FactsOfControl(child).traits & (ctScrollStyle | ctScrollBox)))
        continue;
      if (TSkinControl* w = CreateWrapper(choice.childWrapper, child, choice))
        w->AttachControl(skinned, data, false, skinned.ScratchDc());
    }
  }
  if (TSkinControl* wrapper = CreateWrapper(choice.wrapper, control, choice)) {
    if (choice.attachToWindow && windowed) {
      if (!wrapper->AttachWindow(windowed->Handle(), data, skinned, skinned.ScratchDc()))
        delete wrapper;
    } else
      wrapper->AttachControl(skinned, data, choice.fill, skinned.ScratchDc());
  }
  if (choice.childrenAfter && windowed)
    for (TControl* child : std::vector<TControl*>(windowed->Controls()))
      WrapControl(skinned, child, windowed);
  if (choice.ownedAfter)
    for (TComponent* owned : std::vector<TComponent*>(control->Components()))
      if (auto* c = dynamic_cast<TControl*>(owned)) WrapControl(skinned, c, c->Parent());
}

std::unique_ptr<SkinMenuBar> TSkinManage::MakeMenuBar(SkinnedFrame& frame) {
  return MakeSkinMenuBar(frame);
}

void TSkinManage::MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                                        MEASUREITEMSTRUCT& measure, const DpiScale& scale) {
  skin::MeasureSystemMenuItem(skin, item, measure, scale);
}

void TSkinManage::PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                                      const DRAWITEMSTRUCT& draw, const DpiScale& scale) {
  skin::PaintSystemMenuItem(skin, item, draw, scale);
}

}  // namespace velotune::skin
