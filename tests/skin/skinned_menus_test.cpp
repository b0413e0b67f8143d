// The menu test form skinned in this process under Wine: its menu bar drawn
// by the engine, the bar's popups opened by Alt+letter, moved between with the
// arrow keys and the mouse, their items owner-drawn on the skinned popup
// window; and the skinned system menu of the real main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/tweak_form.h"
#include "framework/application.h"
#include "framework/menu_test_form.h"
#include "framework/standard_classes.h"
#include "skin/data/skin_data_component.h"
#include "skin/data/win32_skin_environment.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manage.h"
#include "skin/menus/win_skin_menu.h"
#include "skin_files.h"
#include "skinned_window_support.h"
#include "support/program_in_process.h"

namespace velotune::skin {
namespace {

using testing::Canvas;
using testing::PumpUntil;

constexpr UINT kGetMenuOfPopup = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK AddPopupWindow(HWND window, LPARAM list) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The visible popup menu windows of this thread.
std::vector<HWND> PopupWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &AddPopupWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND PopupShowing(HMENU menu) {
  for (HWND window : PopupWindows())
    if (reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuOfPopup, 0, 0)) == menu) return window;
  return nullptr;
}

// The mouse as the user moves and clicks it.
void MouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move of 0 where the cursor is
  SendInput(1, &input, sizeof(input));
}
void ClickAt(POINT screen) {
  MouseTo(screen);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

// Steps run from a timer, which keeps ticking inside the menus' own loops:
// each waits for its condition, then acts. A script that stalls ends the
// menu, so that a fault fails the test instead of hanging it.
class MenuScript {
 public:
  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
  };

  void Add(std::string what, std::function<bool()> ready, std::function<void()> act = {}) {
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
  }
  // Runs `start` (which may itself track a menu), then pumps through the
  // application until every step ran and no popup is left.
  bool Run(const std::function<void()>& start, DWORD timeoutMs = 20000) {
    current_ = this;
    started_ = GetTickCount();
    timeoutMs_ = timeoutMs;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &MenuScript::Tick);
    start();
    const bool done = PumpUntil([this] { return Finished() && PopupWindows().empty(); }, timeoutMs);
    KillTimer(nullptr, timer);
    current_ = nullptr;
    return done && !stalled_;
  }
  std::string Pending() const { return Finished() ? "" : steps_[next_].what; }

 private:
  bool Finished() const { return next_ == steps_.size(); }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuScript* self = current_;
    if (!self || self->Finished()) return;
    if (GetTickCount() - self->started_ > self->timeoutMs_) {
      self->stalled_ = true;
      self->next_ = self->steps_.size();
      EndMenu();
      return;
    }
    Step& step = self->steps_[self->next_];
    if (!step.ready()) return;
    ++self->next_;
    if (step.act) step.act();
  }
  // The application's own loop, so that Alt+letter reaches the form as the
  // program's messages do.
  static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
      if (GetTickCount() - start > timeoutMs) return false;
      Application().ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
  }

  static MenuScript* current_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  DWORD started_ = 0, timeoutMs_ = 0;
  bool stalled_ = false;
};
MenuScript* MenuScript::current_ = nullptr;

// The menu test form with its own skin component, every kind of control
// skinned, menu items included.
class SkinnedMenuForm {
 public:
  SkinnedMenuForm() {
    RegisterStandardClasses();
    InstallWin32SkinEnvironment();
    InstallSkinManager();
    form = new TMenuTestForm();
    holder = new TSkinDataComponent(form);
    TSkinData& data = holder->Data();
    data.Active = true;
    data.SkinControls = AllOf(kSkinControlTypeCount) & ~SetOf(xcStatusBar, xcFastReport);
    data.SetStoredSkin(testing::ShippedSkinFile());
    data.LoadSkinStream();
    holder->Loaded();
    form->Show();
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(
        testing::PumpUntil([this] { return Skinned() && Skinned()->State() == fsSkinned; }));
  }
  ~SkinnedMenuForm() { delete form; }

  TWinSkinForm* Skinned() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && form->HandleAllocated() ? manager->FindSkinnedWindow(form->Handle())
                                              : nullptr;
  }
  TWinSkinMenu& Bar() { return *static_cast<TWinSkinMenu*>(Skinned()->MenuBar()); }
  HMENU Sub(const char* name) { return form->Item(name)->Handle(); }
  // The middle of a bar item, on the screen.
  POINT ItemPoint(int index) {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    const Rect& b = Bar().Items()[static_cast<size_t>(index)]->Bounds;
    return POINT{r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2};
  }
  void Press(int index) {
    const POINT p = ItemPoint(index);
    SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
  }
  // Bar item `index` is open and its popup is on the screen.
  std::function<bool()> Open(int index, const char* menu) {
    return [this, index, menu] {
      return Bar().OpenIndex() == index && PopupShowing(Sub(menu)) != nullptr;
    };
  }
  void Key(WPARAM key) {
    const int open = Bar().OpenIndex();
    if (open < 0) return;
    if (HWND popup = PopupShowing(Bar().Items()[static_cast<size_t>(open)]->Popup))
      PostMessageA(popup, WM_KEYDOWN, key, 0);
  }
  int Count(const std::string& name) {
    return static_cast<int>(std::count(form->clicks.begin(), form->clicks.end(), name));
  }

  TMenuTestForm* form;
  TSkinDataComponent* holder;
};

TEST(SkinnedMenus, TheBarTakesTheWindowsMenuAndGivesItBackWhenSkinningStops) {
  SkinnedMenuForm f;
  const HWND window = f.form->Handle();
  HMENU bar = f.form->Get<TMainMenu>("MainMenu")->Handle();
  EXPECT_EQ(nullptr, GetMenu(window)) << "only the engine draws the bar";
  ASSERT_EQ(5u, f.Bar().Items().size());
  EXPECT_EQ(L"&File", f.Bar().Items()[0]->Caption);
  EXPECT_FALSE(f.Bar().Items()[2]->Enabled) << "View";
  EXPECT_EQ(nullptr, f.Bar().Items()[4]->Popup) << "Go! has no sub-items";
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const FrameSizes frame = f.Skinned()->Frame();
  EXPECT_EQ(200, client.bottom) << "the description's client height holds";
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), f.Skinned()->MenuBarHeight());
  EXPECT_EQ(frame.top + frame.bottom + f.Skinned()->MenuBarHeight(),
            (outer.bottom - outer.top) - client.bottom);
  // The strip has the Menubar colour round the captions.
  auto canvas = std::make_unique<Canvas>(outer.right - outer.left, outer.bottom - outer.top);
  SendMessageA(window, SKM_PAINTFRAMEDC, reinterpret_cast<WPARAM>(canvas->Dc()), kSkinMagic);
  const Rect& file = f.Bar().Items()[0]->Bounds;
  EXPECT_EQ(ToPixel(ResolveColour(f.holder->Data().Colour(ceMenubar))),
            canvas->At(file.left + 1, file.top + 1));
  // The form's popup menus are drawn by the skin; an item keeps its own measure.
  EXPECT_TRUE(f.form->Get<TPopupMenu>("EditPopup")->OwnerDraw());
  EXPECT_TRUE(f.form->Item("PopCopy")->Event("OnDrawItem"));
  EXPECT_TRUE(f.form->Item("PopSelectAll")->Event("OnMeasureItem"));
  // A menu item's change reaches the bar.
  f.form->Item("HelpMenu")->SetCaption("&Hilfe");
  EXPECT_EQ(L"&Hilfe", f.Bar().Items()[3]->Caption);

  f.holder->SetPropText("Active", "False");
  ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->Windows().empty(); }));
  EXPECT_EQ(bar, GetMenu(window));
  GetClientRect(window, &client);
  EXPECT_EQ(200, client.bottom) << "the system's bar comes back outside the client area";
  EXPECT_FALSE(f.form->Get<TPopupMenu>("EditPopup")->OwnerDraw()) << "handlers given back";
  EXPECT_FALSE(f.form->Item("PopCopy")->Event("OnDrawItem"));
  EXPECT_TRUE(f.form->Item("DrawnFirst")->Event("OnDrawItem")) << "its own handler again";
}

TEST(SkinnedMenus, AltLetterOpensItsItemAndTheArrowKeysMoveAlongTheBarRoundTheEnds) {
  SkinnedMenuForm f;
  MenuScript script;
  int subMenuIndex = -2;
  script.Add("Alt+F opens File", f.Open(0, "FileMenu"), [&] { f.Key(VK_RIGHT); });
  script.Add("Right opens Edit", f.Open(1, "EditMenu"), [&] { f.Key(VK_RIGHT); });
  script.Add("Right passes over the disabled View to Help", f.Open(3, "HelpMenu"),
             [&] { f.Key(VK_RIGHT); });
  script.Add("Right passes over Go! (no popup) round to File", f.Open(0, "FileMenu"),
             [&] { f.Key(VK_LEFT); });
  script.Add("Left goes back to Help", f.Open(3, "HelpMenu"), [&] { f.Key(VK_LEFT); });
  script.Add("Left again: Edit", f.Open(1, "EditMenu"), [&] { f.Key(VK_LEFT); });
  // On File's Recent (sub-items) Right opens its sub-menu, not the next item.
  script.Add("Left again: File", f.Open(0, "FileMenu"), [&] {
    for (int i = 0; i < 3; ++i) f.Key(VK_DOWN);
  });
  script.Add(
      "Recent is selected",
      [&] { return GetMenuState(f.Sub("FileMenu"), 4, MF_BYPOSITION) & MF_HILITE; },
      [&] { f.Key(VK_RIGHT); });
  script.Add(
      "Recent's sub-menu opens", [&] { return PopupShowing(f.Sub("FileRecent")) != nullptr; },
      [&] {
        subMenuIndex = f.Bar().OpenIndex();
        EndMenu();
      });
  ASSERT_TRUE(script.Run([&] { PostMessageA(f.form->Handle(), WM_SYSCHAR, 'f', 0x20000000); }))
      << "stopped at: " << script.Pending();
  EXPECT_EQ(0, subMenuIndex);
  EXPECT_EQ(-1, f.Bar().OpenIndex());
  EXPECT_FALSE(f.Bar().PopupOpen());
  EXPECT_EQ(0, f.Count("GoItem")) << "passing over Go! runs nothing";
  EXPECT_EQ(0, f.Count("ViewMenu"));
}

TEST(SkinnedMenus, TheMouseSwitchesPopupsADisabledItemOpensNothingAndAClickRunsItsItemOnce) {
  SkinnedMenuForm f;
  // View is disabled: a press opens nothing and runs nothing.
  f.Press(2);
  EXPECT_TRUE(PopupWindows().empty());
  EXPECT_EQ(-1, f.Bar().OpenIndex());

  MenuScript script;
  script.Add("File opens", f.Open(0, "FileMenu"), [&] { MouseTo(f.ItemPoint(1)); });
  script.Add("the mouse over Edit switches to it", f.Open(1, "EditMenu"),
             [&] { MouseTo(f.ItemPoint(0)); });
  script.Add("and back over File", f.Open(0, "FileMenu"), [&] {
    RECT r;
    GetMenuItemRect(nullptr, f.Sub("FileMenu"), 0, &r);
    ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  });
  ASSERT_TRUE(script.Run([&] { f.Press(0); })) << "stopped at: " << script.Pending();
  ASSERT_TRUE(PumpUntil([&] { return f.Count("FileNew") > 0; }));
  PumpUntil([] { return false; }, 200);  // a second command would arrive meanwhile
  EXPECT_EQ(1, f.Count("FileNew"));
  EXPECT_EQ(2, f.Count("FileMenu")) << "once each time its popup opened";
  EXPECT_EQ(0, f.Count("ViewMenu"));
  // Go! has no popup: a press runs it.
  f.Press(4);
  ASSERT_TRUE(PumpUntil([&] { return f.Count("GoItem") == 1; }));
}

TEST(SkinnedMenus, PopupWindowShowsTheMenuBackgroundAndASeparatorFromTheItemImage) {
  SkinnedMenuForm f;
  const TSkinData& data = f.holder->Data();
  const Bitmap& background = data.Part(spMenuBackground)->Map;
  const Bitmap& itemImage = data.Part(spMenuItem)->Map;
  const Pixel line = itemImage.At(itemImage.Width() / 5 + itemImage.Width() / 10, 13);
  ASSERT_FALSE(IsTransparentPixel(line)) << "the skin's separator line";
  std::vector<std::string> faults;
  LRESULT answered = 0;
  auto look = [&] {
    const HWND popup = PopupShowing(f.Sub("FileMenu"));
    answered = SendMessageA(popup, SKM_QUERYSKINNED, 0, 0);
    RECT w;
    GetWindowRect(popup, &w);
    const int width = w.right - w.left, height = w.bottom - w.top;
    Canvas canvas(width, height);
    WindowDC dc(popup, true);
    BitBlt(canvas.Dc(), 0, 0, width, height, dc.Get(), 0, 0, SRCCOPY);
    auto expect = [&](int x, int y, Pixel want, const char* what) {
      if (canvas.At(x, y) != want)
        faults.push_back(what + std::to_string(x) + "," + std::to_string(y));
    };
    // The 3-pixel border is the background image's edge, 1:1 across it.
    for (int i = 0; i < 3; ++i) {
      expect(i, height / 2, background.At(i, background.Height() / 2), "left border ");
      expect(width / 2, i, background.At(background.Width() / 2, i), "top border ");
      expect(width - 1 - i, height / 2, background.At(background.Width() - 1 - i, 10), "right ");
    }
    expect(0, 0, background.At(0, 0), "corner ");
    // The separator (8 high) shows the image's line in its row 3, on the
    // popup's background above and below.
    RECT item;
    GetMenuItemRect(nullptr, f.Sub("FileMenu"), 3, &item);
    OffsetRect(&item, -w.left, -w.top);
    const int middle = (item.left + item.right) / 2;
    expect(middle, item.top + 3, line, "separator line ");
    const Pixel inside = background.At(background.Width() / 2, background.Height() / 2);
    expect(middle, item.top + 2, inside, "above the line ");
    expect(middle, item.top + 4, inside, "below the line ");
    if (const char* dir = std::getenv("VELOTUNE_MENU_SHOTS"))
      testing::SaveScreen(dir, "file-popup");
    EndMenu();
  };
  MenuScript script;
  // Its first entry highlighted: the popup is shown and drawn.
  script.Add(
      "File opens",
      [&] {
        return f.Open(0, "FileMenu")() &&
               (GetMenuState(f.Sub("FileMenu"), 0, MF_BYPOSITION) & MF_HILITE);
      },
      look);
  ASSERT_TRUE(script.Run([&] { f.Press(0); })) << "stopped at: " << script.Pending();
  EXPECT_EQ(1, answered);
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
  EXPECT_EQ(0u, TSkinManage::Instance()->PopupMenus().Count()) << "entries go with their popups";
}

TEST(SkinnedMenus, RightClickOnTheMainWindowsCaptionOpensItsSkinnedSystemMenuWhoseCloseCloses) {
  ProgramInProcess program;
  InstallSkinManager();
  // Another main form: closing the window must not end the program.
  struct KeepMainForm {
    TForm keeper{nullptr};
    TForm* main = Application().MainForm();
    KeepMainForm() { Application().SetMainForm(&keeper); }
    ~KeepMainForm() { Application().SetMainForm(main); }
  } keep;
  TTweakFrm window(nullptr);
  window.Show();
  ASSERT_TRUE(PumpUntil([&] {
    TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(window.Handle());
    return skinned && skinned->State() == fsSkinned;
  }));
  TWinSkinForm* skinned = TSkinManage::Instance()->FindSkinnedWindow(window.Handle());
  int items = 0, ownerDrawn = 0;
  UINT close = 0;
  MenuScript script;
  script.Add(
      "the system menu opens",
      [&] {
        HMENU popup = skinned->SystemPopup();
        return popup && PopupShowing(popup);
      },
      [&] {
        HMENU popup = skinned->SystemPopup();
        items = GetMenuItemCount(popup);
        for (int i = 0; i < items; ++i) {
          MENUITEMINFOA info = {};
          info.cbSize = sizeof(info);
          info.fMask = MIIM_FTYPE | MIIM_ID;
          GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
          if (info.fType & MFT_OWNERDRAW) ++ownerDrawn;
          if (const TMenuItem* item = skinned->SystemMenuItem(info.wID);
              item && item->Tag() == SC_CLOSE)
            close = info.wID;
        }
        if (const char* dir = std::getenv("VELOTUNE_MENU_SHOTS"))
          testing::SaveScreen(dir, "system-menu");
        RECT r{};
        for (int i = 0; i < items; ++i)
          if (GetMenuItemID(popup, i) == close)
            GetMenuItemRect(nullptr, popup, static_cast<UINT>(i), &r);
        ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
      });
  RECT r;
  GetWindowRect(window.Handle(), &r);
  ASSERT_TRUE(script.Run([&] {
    PostMessageA(window.Handle(), WM_NCRBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(r.left + 200, r.top + 12));
  })) << "stopped at: "
      << script.Pending();
  EXPECT_GT(items, 4);
  EXPECT_EQ(items, ownerDrawn);
  EXPECT_NE(0u, close);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window.Handle()); })) << "Close closed it";
}

}  // namespace
}  // namespace velotune::skin
