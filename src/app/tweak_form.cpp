#include "app/tweak_form.h"

#include <shlobj.h>

#include "app/about_form.h"
#include "app/app_registry.h"
#include "app/donate_form.h"
#include "app/logic/donate_rules.h"
#include "app/logic/maker_info.h"
#include "app/logic/shell_commands.h"
#include "app/logic/sidebar_modes.h"
#include "app/logic/status_texts.h"
#include "app/logic/wheel_scroll.h"
#include "app/restart_explorer.h"
#include "app/shell_actions.h"
#include "fixes/fix_actions.h"
#include "fixes/named_actions.h"
#include "framework/application.h"
#include "framework/containers.h"
#include "framework/graphic_controls.h"
#include "framework/std_controls.h"
#include "platform/local_time.h"
#include "platform/seams.h"
#include "resize/resize_kit.h"
#include "tweaks/backed_up_action.h"
#include "tweaks/page_actions.h"

namespace velotune {

namespace {

const HandlerEntry<TTweakFrm> kHandlers[] = {
    {"FormCreate", &TTweakFrm::FormCreate},
    {"cprDblClick", &TTweakFrm::cprDblClick},
    {"titleDblClick", &TTweakFrm::titleDblClick},
    {"IconDblClick", &TTweakFrm::IconDblClick},
    {"Label3DblClick", &TTweakFrm::Label3DblClick},
    {"Save2Click", &TTweakFrm::Save2Click},
    {"Save1Click", &TTweakFrm::Save1Click},
    {"TBChange", &TTweakFrm::TBChange},
    {"Save3Click", &TTweakFrm::Save3Click},
    {"ScrollBox2MouseWheel", &TTweakFrm::ScrollBox2MouseWheel},
    {"Button6Click", &TTweakFrm::Button6Click},
    {"Button7Click", &TTweakFrm::Button7Click},
    {"Button8Click", &TTweakFrm::Button8Click},
    {"Button1Click", &TTweakFrm::Button1Click},
    {"Button29Click", &TTweakFrm::Button29Click},
    {"SidebarClick", &TTweakFrm::SidebarClick},
    {"Image2Click", &TTweakFrm::Image2Click},
    {"imgPaypalClick2", &TTweakFrm::imgPaypalClick2},
    {"BClick2", &TTweakFrm::BClick2},
    {"Button2Click", &TTweakFrm::Button2Click},
    {"Button3Click", &TTweakFrm::Button3Click},
    {"Button4Click", &TTweakFrm::Button4Click},
    {"Button5Click", &TTweakFrm::Button5Click},
    {"Timer1Timer", &TTweakFrm::Timer1Timer},
};

TControl& SenderOf(TEventArgs& e) {
  return static_cast<TControl&>(*e.Sender);
}

}  // namespace

TTweakFrm::TTweakFrm(TComponent* owner) : TForm(owner), states_(*this) {
  LoadDescriptionResource("MAIN_DFM", "main.dfm");
}

TEvent TTweakFrm::FindHandler(const std::string& name) {
  return FindHandlerIn(this, kHandlers, name);
}

void TTweakFrm::FormCreate(TEventArgs&) {
  Bind<TTabSheet>(*this, "shtFix")->SetTabVisible(false);
  RecordProgramPath(ProgramFilePath());
  Bind<TLabel>(*this, "title")->SetCaption("Velotune");
  Bind<TLabel>(*this, "cpr")->SetCaption(kMakerNotice);
  if (DonateWantedAtStart()) {
    TEventArgs args;
    args.Sender = this;
    Button1Click(args);
  }
}

void TTweakFrm::Button1Click(TEventArgs&) {
  TfrmDonate donate(this);
  donate.SetHelpKeyword(kDonateProductTitle);
  donate.SetTag(kDonateProductNumber);
  donate.ShowModal();
}

void TTweakFrm::Button29Click(TEventArgs&) {
  TfrmVtAbout about(this);
  about.ShowModal();
}

void TTweakFrm::cprDblClick(TEventArgs&) {
  ScaleBy(95, 100);
}

void TTweakFrm::IconDblClick(TEventArgs&) {
  // Another main window, owned by this one; closing it frees only itself.
  auto* window = new TTweakFrm(this);
  window->SetFreeOnClose(true);
  window->Show();
}

void TTweakFrm::Label3DblClick(TEventArgs&) {
  OpenWithShell(Handle(), FolderOfFile(ProgramFilePath()), SW_SHOW);
}

void TTweakFrm::SidebarClick(TEventArgs& e) {
  const SidebarMode* mode = FindSidebarMode(SenderOf(e).Tag());
  if (!mode) return;
  auto* pages = Bind<TPageControl>(*this, "TweaksSheet");
  {
    // The tab control is rebuilt once, not after each tab.
    const TPageControl::TabsUpdate tabs(*pages);
    for (const char* name : AllPageNames()) Bind<TTabSheet>(*this, name)->SetTabVisible(false);
    for (const char* name : mode->shownTabs) Bind<TTabSheet>(*this, name)->SetTabVisible(true);
  }
  Bind<TControl>(*this, kBottomPanelName)->SetVisible(mode->bottomPanelVisible);
  if (mode->activePage) pages->SetActivePage(Bind<TTabSheet>(*this, mode->activePage));
  // The design's height at the DPI the resize kit lays the window out for.
  const auto* kit = Bind<TResizeKit>(*this, "ResizeKit1");
  pages->SetBounds(pages->Left(), pages->Top(), pages->Width(),
                   kit->HeightAtScreenDpi(kSidebarPageControlHeight));
  if (mode->focus) {
    auto* focus = Bind<TWinControl>(*this, mode->focus);
    if (focus->CanFocus()) focus->SetFocus();
  }
}

void TTweakFrm::WndProc(TMessage& message) {
  if (message.Msg == CM_DIALOGCHAR) {
    const SidebarMode* mode = FindSidebarModeByKey(static_cast<char>(message.WParam));
    auto* button = mode ? Bind<TSpeedButton>(*this, mode->button) : nullptr;
    if (button && button->Showing() && button->Enabled()) {
      button->Click();
      message.Result = 1;
      return;
    }
  }
  TForm::WndProc(message);
}

void TTweakFrm::Timer1Timer(TEventArgs&) {
  SYSTEM_POWER_STATUS power = {};
  GetSystemPowerStatus(&power);
  MEMORYSTATUS memory = {};
  memory.dwLength = sizeof(memory);
  GlobalMemoryStatus(&memory);
  auto* bar = Bind<TStatusBar>(*this, "StatusBar1");
  bar->SetPanelText(0, MemoryUsagePanelText(memory.dwMemoryLoad));
  bar->SetPanelText(1, PowerPanelText(power.BatteryLifePercent));
  bar->SetPanelText(2, UptimePanelText(GetTickCount()));
}

void TTweakFrm::ScrollBox2MouseWheel(TEventArgs& e) {
  auto* box = Bind<TScrollBox>(*this, "ScrollBox2");
  POINT cursor;
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) != box->Handle()) return;
  e.Handled = true;
  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  WheelScroll plan =
      PlanWheelScroll(e.WheelDelta, (e.Shift & kShiftKey) != 0, static_cast<int>(lines));
  UINT message = plan.bar == ScrollBar::kHorizontal ? WM_HSCROLL : WM_VSCROLL;
  WPARAM code = plan.step == ScrollStep::kLineDown ? SB_LINEDOWN : SB_LINEUP;
  for (int i = 0; i < plan.lines; ++i) SendMessageA(box->Handle(), message, code, 0);
  SendMessageA(box->Handle(), message, SB_ENDSCROLL, 0);
}

void TTweakFrm::Button3Click(TEventArgs&) {
  if (MessageDlgYesNo(kRestartQuestion) == mrYes)
    ActiveProcesses().WinExec(kRestartCommand, kSwHide);
}

void TTweakFrm::Button4Click(TEventArgs&) {
  RestartExplorerIn(GetSpecialFolder(Handle(), CSIDL_RECENT));
}

void TTweakFrm::BClick2(TEventArgs& e) {
  OpenWithShell(Handle(), SenderOf(e).HelpKeyword(), SW_SHOW);
}

void TTweakFrm::imgPaypalClick2(TEventArgs& e) {
  OpenWithShell(Handle(), SenderOf(e).HelpKeyword(), SW_SHOWNORMAL);
}

void TTweakFrm::Image2Click(TEventArgs&) {
  InputBox(kBitcoinBoxCaption, kBitcoinPrompt, kBitcoinAddress);
}

// The catalogue actions read and set the page controls by name. Each that
// writes first leaves a backup that undoes it; when the backup cannot be
// written, or the action needs administrator rights the window was started
// without, the error box says so and nothing changes.
void TTweakFrm::RunNamedAction(const char* name) {
  const NamedAction* action = FindNamedAction(name);
  RunWithBackup(
      action->name, LocalTimeNow(), [this, action] { action->run(states_); }, action->title);
}
void TTweakFrm::Save2Click(TEventArgs&) {
  RunNamedAction("page1");
}
void TTweakFrm::Save1Click(TEventArgs&) {
  RunNamedAction("page2");
}
void TTweakFrm::Save3Click(TEventArgs&) {
  RunNamedAction("page3");
}
void TTweakFrm::titleDblClick(TEventArgs&) {
  RunWithBackup(
      "all-pages", LocalTimeNow(), [this] { velotune::titleDblClick(states_); },
      "Save Changes on every Tweaks page");
}
void TTweakFrm::Button2Click(TEventArgs&) {
  RunNamedAction("one-click");
}
void TTweakFrm::Button5Click(TEventArgs&) {
  RunNamedAction("green");
}
void TTweakFrm::Button6Click(TEventArgs&) {
  velotune::Button6Click(states_);
}
void TTweakFrm::Button7Click(TEventArgs&) {
  velotune::Button7Click(states_);
}
void TTweakFrm::Button8Click(TEventArgs&) {
  RunNamedAction("fix");
}

void TTweakFrm::TBChange(TEventArgs&) {
  Bind<TLabel>(*this, "NOSF")
      ->SetCaption(velotune::TBChange(Bind<TTrackBar>(*this, "TB")->Position()));
}

}  // namespace velotune
