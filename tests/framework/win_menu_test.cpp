// Menus over real windows, under Wine: the menu test form's menu bar and
// popup menus as the system holds them, commands, changes, owner drawing and
// popups opened by a right click or by Alt with a letter.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/containers.h"
#include "framework/menu_test_form.h"
#include "framework/standard_classes.h"
#include "framework/std_controls.h"

namespace velotune {
namespace {

constexpr UINT kGetMenuOfPopup = 0x01E1;  // MN_GETHMENU

// Each entry as text, "-" for a separator, with its states and a ">" for a
// sub-menu: "&Save\tCtrl+S (grayed)".
std::vector<std::string> Entries(HMENU menu) {
  std::vector<std::string> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    std::string entry = (info.fType & MFT_SEPARATOR) ? "-" : text;
    if (info.fState & MFS_GRAYED) entry += " (grayed)";
    if (info.fState & MFS_CHECKED) entry += " (checked)";
    if (info.fState & MFS_DEFAULT) entry += " (default)";
    if (info.fType & MFT_OWNERDRAW) entry += " (owner-drawn)";
    if (info.hSubMenu) entry += " >";
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> gErrors;

void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) {
  EndMenu();
}

class WinMenu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterStandardClasses();
    Application().onException = [](const std::exception& e) { gErrors.push_back(e.what()); };
  }
  void SetUp() override {
    gErrors.clear();
    form = new TMenuTestForm();
    form->Show();
    Application().ProcessMessages();
  }
  void TearDown() override {
    delete form;
    EXPECT_EQ(gErrors, std::vector<std::string>{});
  }
  TMenuItem* Item(const char* name) { return form->Item(name); }
  HMENU Bar() { return GetMenu(form->Handle()); }
  void Command(TMenuItem* item) {
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  }

  // Runs `open`, which enters a menu loop, and `inside` once when that loop
  // first waits for input, with the popup window on screen. A loop that never
  // waits is ended after 20 s so that the test fails instead of hanging.
  void WithMenuOpen(const std::function<void()>& open, const std::function<void(HWND)>& inside) {
    bool entered = false;
    TWndMethod previous = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
      if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU && !entered) {
        entered = true;
        inside(FindWindowA("#32768", nullptr));
      }
      previous(m);
    };
    UINT_PTR guard = SetTimer(nullptr, 0, 20000, EndStuckMenu);
    open();
    KillTimer(nullptr, guard);
    form->WindowProc = previous;
    Application().ProcessMessages();  // the chosen command is posted
    EXPECT_TRUE(entered) << "no menu loop";
  }
  // A right click at the middle of a control's window, as the mouse sends it.
  void RightClick(TWinControl* control) {
    HWND window = control->Handle();
    RECT r;
    GetClientRect(window, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(window, WM_RBUTTONUP, 0, at);
  }

  TMenuTestForm* form = nullptr;
};

TEST_F(WinMenu, TheWindowShowsTheMainMenuWithItsItemsAndStates) {
  ASSERT_EQ(Bar(), form->Get<TMainMenu>("MainMenu")->Handle());
  EXPECT_EQ(form->Get<TMainMenu>("MainMenu")->Form(), form);
  // The description's client size holds below the menu bar.
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(Entries(Bar()), (std::vector<std::string>{"&File >", "&Edit >", "&View (grayed) >",
                                                      "&Help >", "&Go!"}));
  HMENU file = GetSubMenu(Bar(), 0);
  EXPECT_EQ(file, Item("FileMenu")->Handle());
  // The hidden item takes no place.
  EXPECT_EQ(Entries(file), (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O (default)",
                                                     "&Save\tCtrl+S (grayed)", "-", "&Recent >",
                                                     "-", "E&xit\tAlt+F4"}));
  EXPECT_EQ(Entries(GetSubMenu(file, 4)),
            (std::vector<std::string>{"&1 first.txt", "&2 second.txt (checked)"}));
  EXPECT_EQ(Entries(GetSubMenu(Bar(), 1)),
            (std::vector<std::string>{"&Undo\tCtrl+Z (grayed)", "-", "&Word wrap (checked)",
                                      "&Bold (checked)"}));
  // Entries carry their items' commands, sub-menu entries too.
  EXPECT_EQ(GetMenuItemID(file, 6), Item("FileExit")->Command());
  MENUITEMINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID;
  GetMenuItemInfoA(Bar(), 0, TRUE, &info);
  EXPECT_EQ(info.wID, Item("FileMenu")->Command());
  // Positions map back to items, past the hidden one.
  auto* menu = form->Get<TMainMenu>("MainMenu");
  EXPECT_EQ(menu->ItemAt(file, 6), Item("FileExit"));
  EXPECT_EQ(menu->ItemAt(Bar(), 4), Item("GoItem"));
  EXPECT_EQ(menu->ItemAt(file, 7), nullptr);
  EXPECT_EQ(menu->FindItem(reinterpret_cast<std::uintptr_t>(file), fkHandle), Item("FileMenu"));

  auto* popup = form->Get<TPopupMenu>("EditPopup");
  EXPECT_EQ(Entries(popup->Handle()),
            (std::vector<std::string>{"Cu&t\tCtrl+X", "&Copy\tCtrl+C (default)",
                                      "&Paste\tCtrl+V (grayed)", "-", "&More >"}));
  EXPECT_EQ(Entries(form->Get<TPopupMenu>("DrawnPopup")->Handle()),
            (std::vector<std::string>{"&First (owner-drawn)", "- (owner-drawn)",
                                      "&Second\tCtrl+S (checked) (owner-drawn)"}));
}

TEST_F(WinMenu, CommandsAndShortCutsRunTheirItemOnce) {
  Command(Item("FileNew"));
  Command(Item("GoItem"));
  Command(Item("FileSave"));  // disabled
  // The dialog manager's OK and Cancel, sent without a control, are no items.
  SendMessageA(form->Handle(), WM_COMMAND, IDOK, 0);
  SendMessageA(form->Handle(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(form->IsShortCut(MakeShortCut('O', kCtrlKey)));
  EXPECT_FALSE(form->IsShortCut(MakeShortCut('S', kCtrlKey)));  // disabled
  SetFocus(form->Handle());
  EXPECT_FALSE(form->IsShortCut(MakeShortCut('C', kCtrlKey)));  // the edit's, not focused
  form->Get<TEdit>("Edit")->SetFocus();
  EXPECT_TRUE(form->IsShortCut(MakeShortCut('C', kCtrlKey)));
  // Keys with Ctrl held, through the message loop: the edit's menu first,
  // then the main menu; the edit sees neither key.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(form->Get<TEdit>("Edit")->Handle(), WM_KEYDOWN, 'X', 0);
  PostMessageA(form->Get<TEdit>("Edit")->Handle(), WM_KEYDOWN, 'N', 0);
  Application().ProcessMessages();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(form->Get<TEdit>("Edit")->Text(), "Right-click me");
  EXPECT_EQ(form->clicks, (std::vector<std::string>{"FileNew", "GoItem", "FileOpen", "PopCopy",
                                                    "PopCut", "FileNew"}));
}

TEST_F(WinMenu, ChangedItemsUpdateTheSameMenuHandles) {
  HMENU bar = Bar();
  HMENU file = Item("FileMenu")->Handle();
  std::vector<LPARAM> changes;
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) changes.push_back(m.LParam);
    previous(m);
  };
  Item("FileSave")->SetEnabled(true);
  Item("FileSave")->SetCaption("&Save all");
  Item("FileNew")->SetVisible(false);
  Item("FileHidden")->SetVisible(true);
  Item("FileExit")->SetShortCut(scNone);
  Item("RecentFirst")->SetChecked(true);
  Item("ViewMenu")->SetEnabled(true);
  EXPECT_EQ(Entries(file),
            (std::vector<std::string>{"&Open...\tCtrl+O (default)", "&Save all\tCtrl+S", "-",
                                      "&Recent >", "Hidden", "-", "E&xit"}));
  EXPECT_EQ(Entries(GetSubMenu(file, 3)),
            (std::vector<std::string>{"&1 first.txt (checked)", "&2 second.txt (checked)"}));
  EXPECT_EQ(Entries(bar)[2], "&View >");

  // A first sub-item gives an item a sub-menu; the last one gone takes it.
  auto* later = new TMenuItem(form);
  later->SetCaption("&Later");
  Item("GoItem")->Add(later);
  EXPECT_EQ(Entries(bar)[4], "&Go! >");
  EXPECT_EQ(Entries(GetSubMenu(bar, 4)), std::vector<std::string>{"&Later"});
  delete later;
  EXPECT_EQ(Entries(bar)[4], "&Go!");
  EXPECT_FALSE(Item("GoItem")->HandleAllocated());
  delete Item("EditMenu");
  EXPECT_EQ(Entries(bar).size(), 4u);

  EXPECT_EQ(Bar(), bar);
  EXPECT_EQ(Item("FileMenu")->Handle(), file);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), reinterpret_cast<LPARAM>(form->Get<TMainMenu>("MainMenu")));

  // Without a menu the window has no bar; the menu freed, neither.
  form->SetMenu(nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  form->SetMenu(form->Get<TMainMenu>("MainMenu"));
  EXPECT_EQ(GetMenu(form->Handle()), bar);
  delete form->Get<TMainMenu>("MainMenu");
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(changes.back(), 0);
  form->WindowProc = previous;
}

TEST_F(WinMenu, ARightClickOpensTheControlsPopupAndTheChosenItemRuns) {
  auto* popup = form->Get<TPopupMenu>("EditPopup");
  WithMenuOpen([&] { RightClick(form->Get<TEdit>("Edit")); },
               [&](HWND window) {
                 ASSERT_NE(window, nullptr);
                 EXPECT_TRUE(IsWindowVisible(window));
                 EXPECT_EQ(reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuOfPopup, 0, 0)),
                           popup->Handle());
                 // "&Copy" by its accelerator.
                 PostMessageA(form->Handle(), WM_CHAR, 'c', 0);
               });
  EXPECT_EQ(popup->PopupComponent(), form->Get<TEdit>("Edit"));
  EXPECT_EQ(form->popups, std::vector<std::string>{"EditPopup"});
  EXPECT_EQ(form->clicks, std::vector<std::string>{"PopCopy"});
}

TEST_F(WinMenu, OwnerDrawnItemsAreMeasuredAndDrawnByTheirEvents) {
  form->measureHeight = 30;
  auto* popup = form->Get<TPopupMenu>("DrawnPopup");
  COLORREF first = CLR_INVALID;
  RECT firstRect = {}, secondRect = {};
  WithMenuOpen([&] { RightClick(form->Get<TPanel>("DrawnArea")); },
               [&](HWND window) {
                 ASSERT_NE(window, nullptr);
                 // Of a popup, the system finds the window itself.
                 GetMenuItemRect(nullptr, popup->Handle(), 0, &firstRect);
                 GetMenuItemRect(nullptr, popup->Handle(), 2, &secondRect);
                 POINT middle{(firstRect.left + firstRect.right) / 2,
                              (firstRect.top + firstRect.bottom) / 2};
                 ScreenToClient(window, &middle);
                 HDC dc = GetDC(window);
                 first = GetPixel(dc, middle.x, middle.y);
                 ReleaseDC(window, dc);
                 EndMenu();
               });
  EXPECT_EQ(form->measured, std::vector<std::string>{"DrawnFirst"});
  EXPECT_EQ(form->drawn, std::vector<std::string>{"DrawnFirst"});
  EXPECT_EQ(firstRect.bottom - firstRect.top, 30);
  EXPECT_EQ(first, form->drawColour);
  // The item without events has the framework's own size: the glyph box
  // and a line of the menu font.
  EXPECT_GE(secondRect.bottom - secondRect.top, 18);
  EXPECT_LT(secondRect.bottom - secondRect.top, 30);
  EXPECT_TRUE(form->clicks.empty());
}

// Alt with a letter opens the bar item with that accelerator, as the
// system's own menu bar does; opening a sub-menu clicks its item first.
TEST_F(WinMenu, AltWithALetterOpensTheMatchingBarItem) {
  WithMenuOpen([&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'e'); },
               [&](HWND window) {
                 ASSERT_NE(window, nullptr);
                 EXPECT_EQ(reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuOfPopup, 0, 0)),
                           Item("EditMenu")->Handle());
                 EndMenu();
               });
  EXPECT_EQ(form->clicks, std::vector<std::string>{"EditMenu"});
}

}  // namespace
}  // namespace velotune
