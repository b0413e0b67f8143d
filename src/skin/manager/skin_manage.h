// TSkinManage: the one skin manager of the program. It watches the thread's
// windows through a CBT hook, decides which top-level windows are skinned,
// gives each a TWinSkinForm, wraps their controls, and carries out delayed
// requests (skin on, skin off, refresh) from a 100 ms-grained timer.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/skin_data.h"
#include "skin/frame/skin_host.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/high_contrast.h"
#include "skin/manager/wrap_rules.h"
#include "skin/menus/owner_drawn_menus.h"
#include "skin/menus/pop_menu.h"

namespace velotune {
class TControl;
class TMenuItem;
class TWinControl;
class TForm;
}  // namespace velotune

namespace velotune::skin {

class TSkinManage : public SkinManagerLink, public SkinHost {
 public:
  // The manager, or null while no skin component is loaded.
  static TSkinManage* Instance();

  // SkinManagerLink.
  void RegisterSkinData(TSkinData& data) override;
  void UnregisterSkinData(TSkinData& data) override;
  void PointAt(TSkinData& data) override;
  void RequestSkinning(SkinRequest kind, int delayMs) override;
  void MarkSkinning() override { skinningPhase_ = true; }
  void RaiseSkinningCount() override { ++skinningCount_; }
  void SkinOwnerForm(TSkinData& data) override;
  bool Skinning() const override { return skinning_; }
  void PrepareMainFormSkin(TSkinData& data) override;

  // SkinHost.
  bool Busy() const override { return busy_; }
  void SystemMenuOpen(bool open) override { systemMenuOpen_ = open; }
  void SkinChildControls(TWinSkinForm& form) override;
  void ForgetWindow(HWND window) override;
  void MenuLoop(bool entering) override;
  void WindowGone(TWinSkinForm& form) override;
  std::unique_ptr<SkinMenuBar> MakeMenuBar(SkinnedFrame& frame) override;
  void MeasureSystemMenuItem(const TSkinData& skin, const TMenuItem& item,
                             MEASUREITEMSTRUCT& measure, const DpiScale& scale) override;
  void PaintSystemMenuItem(const TSkinData& skin, const TMenuItem& item, const DRAWITEMSTRUCT& draw,
                           const DpiScale& scale) override;

  // Makes a skinned window of `window` when every test agrees.
  bool SkinWindow(HWND window, bool formPass = false);
  TWinSkinForm* FindSkinnedWindow(HWND window) const;
  const std::vector<TWinSkinForm*>& Windows() const { return windows_; }
  TSkinData* DefaultData() const { return default_; }

  // Control wrapping.
  void WrapFormControls(TWinSkinForm& skinned, TForm& form);
  void WrapControl(TWinSkinForm& skinned, TControl* control, TWinControl* parent);
  void WrapChildren(TWinSkinForm& skinned, TWinControl* control);
  // A child window of a foreign dialog: its wrapper, when one is built.
  void AttachForeignChild(TWinSkinForm& skinned, HWND child);

  // The popup menu windows shown now: which background belongs to a menu.
  PopupMenuWindows& PopupMenus() { return popups_; }
  // High contrast is on: every window has its system look until it is off.
  bool SteppedAside() const { return steppedAside_; }
  // The system's settings or colours changed: high contrast is read again.
  void SettingsChanged();

 private:
  TSkinManage();
  ~TSkinManage() override;
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  // The hook is set aside while a form makes its control windows in one go:
  // it has nothing to do for them.
  static void SetHookAside(bool aside);
  // Controls whose windows waited for their page are wrapped as they are
  // made, once their form's controls have been wrapped.
  static void WrapLateWindows(const std::vector<TWinControl*>& made);
  void InstallHook();
  static void CALLBACK TimerTick(HWND, UINT, UINT_PTR, DWORD);
  void RunRequest();
  // Arms the request timer without touching the skinning flag.
  void Schedule(SkinRequest kind, int delayMs);
  void DropDestroyed();
  void GiveBack(TWinSkinForm* skinned);
  // The form's menus drawn by the skin (made on first use).
  SkinnedFormMenus& FormMenus(TWinSkinForm& skinned);
  void ForgetFormMenus(HWND window);
  TSkinData* DataFor(HWND window, TForm* form, const std::string& className) const;
  friend SkinManagerLink* MakeSkinManager();

  std::vector<TWinSkinForm*> windows_;
  std::vector<TSkinData*> datas_;
  TSkinData* default_ = nullptr;
  TSkinData* pointed_ = nullptr;
  bool skinning_ = false;
  bool skinningPhase_ = false;
  int skinningCount_ = 0;
  bool busy_ = false;
  bool systemMenuOpen_ = false;
  // Menu loops running now (a popup's loop may run inside another's).
  int menuLoops_ = 0;
  // Foreign windows' skinned objects whose windows went unseen by the hook.
  std::vector<TWinSkinForm*> gone_;
  HHOOK hook_ = nullptr;
  bool hookAside_ = false;
  UINT_PTR timer_ = 0;
  SkinRequest pending_ = srSkinOn;
  bool shuttingDown_ = false;
  std::map<HWND, std::unique_ptr<SkinnedFormMenus>> formMenus_;
  PopupMenuWindows popups_;
  bool steppedAside_ = false;
  std::unique_ptr<SettingsWatcher> watcher_;
};

// What the wrapping rules ask of a framework control and of the skin.
ControlFacts FactsOfControl(TControl* control);
WrapSettings WrapSettingsOf(const TSkinData& data);

// Lets the program's skin components make the manager: call once at start.
void InstallSkinManager();

}  // namespace velotune::skin
