// velotune.exe under Wine, looked at from outside: the Donate dialog at the
// first start, the program's registry data, the page tabs and the sidebar,
// the status bar, keyboard page selection and the error box.
#include "program_driver.h"
// After windows.h, which program_driver.h brings in.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/donate_choice.h"

namespace velotune {
namespace {

constexpr DWORD kWait = 20000;
const char kSupportKey[] = "Zolex\\Support";
const char kDonateCaption[] = "Support \"Velotune\"";

// The prefix's Donate choice comes back after the last test.
::testing::Environment* const kDonateChoice =
    ::testing::AddGlobalTestEnvironment(new DonateChoiceForAllTests);

// The main window, started with the Donate dialog switched off.
class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    main = program.StartToMainWindow(kWait);
    ASSERT_NE(main, nullptr);
    tabs = ProgramDriver::FindOne(main, "SysTabControl32");
    ASSERT_NE(tabs, nullptr);
    sidebar = ProgramDriver::Sidebar(main);
    ASSERT_NE(sidebar, nullptr);
    HWND restart = ProgramDriver::FindOne(main, "Button", "Restart Computer");
    ASSERT_NE(restart, nullptr);
    bottomPanel = GetParent(restart);
  }
  void TearDown() override { program.Stop(); }

  int ActiveTab() const { return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)); }
  void ClickTweak() { ProgramDriver::ClickSidebar(main, false); }
  void ClickFix() { ProgramDriver::ClickSidebar(main, true); }

  ProgramDriver program;
  HWND main = nullptr;
  HWND tabs = nullptr;
  HWND sidebar = nullptr;
  HWND bottomPanel = nullptr;
};

TEST_F(MainWindow, ShowsThreeTweakTabsAndSwitchesToFixAndBack) {
  const std::vector<std::string> tweakTabs = {"Tweaks [&1]", "Tweaks [&2]", "Tweaks [&3]"};
  EXPECT_EQ(program.TabTexts(tabs), tweakTabs);
  EXPECT_EQ(ActiveTab(), 0);
  EXPECT_TRUE(IsWindowVisible(bottomPanel));

  ClickFix();
  EXPECT_EQ(program.TabTexts(tabs), std::vector<std::string>{"FIX"});
  EXPECT_FALSE(IsWindowVisible(bottomPanel));
  HWND fixIt = ProgramDriver::FindOne(main, "Button", "FIX IT!");
  ASSERT_NE(fixIt, nullptr);
  EXPECT_TRUE(IsWindowVisible(fixIt));

  // TWEAK again selects the first page, even after another one was showing.
  ClickTweak();
  PostMessageA(main, WM_SYSCHAR, '3', 0x20000000);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return ActiveTab() == 2; }, 5000));
  ClickTweak();
  EXPECT_EQ(program.TabTexts(tabs), tweakTabs);
  EXPECT_EQ(ActiveTab(), 0);
  EXPECT_TRUE(IsWindowVisible(bottomPanel));
  EXPECT_FALSE(IsWindowVisible(fixIt));
}

TEST_F(MainWindow, WheelScrollsTheFixPageOnlyOverBareScrollBoxArea) {
  ClickFix();
  HWND box = ProgramDriver::FindOne(main, "TScrollBox");
  ASSERT_NE(box, nullptr);
  // The topmost group.
  HWND group = nullptr;
  LONG groupTop = 0;
  for (HWND candidate : ProgramDriver::Find(box, "TGroupBox")) {
    RECT r;
    GetWindowRect(candidate, &r);
    if (!group || r.top < groupTop) {
      group = candidate;
      groupTop = r.top;
    }
  }
  ASSERT_NE(group, nullptr);
  // How far the page is scrolled, seen from the first group's place (the
  // scroll bar's own position cannot be read from another process).
  auto offset = [&] {
    RECT boxRect, groupRect;
    GetWindowRect(box, &boxRect);
    GetWindowRect(group, &groupRect);
    return boxRect.top - groupRect.top;
  };
  // The program decides by where it sees the cursor, and it may see a move
  // late on a loaded machine. So the cursor goes first from a place outside
  // the page to a group box, where a late view and a current one both mean
  // "no scroll"; each turn over the bare margin is then repeated until the
  // page moves, which the program does only once it sees the cursor there
  // (the page's first layout may also shift the groups once by then).
  auto moveTo = [&](POINT screen) {
    SetCursorPos(screen.x, screen.y);
    POINT at{};
    ProgramDriver::WaitFor(
        [&] { return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y; }, 2000);
  };
  auto toScreen = [&](POINT client) {
    ClientToScreen(box, &client);
    return client;
  };
  auto turn = [&](POINT client, int delta) {
    POINT screen = toScreen(client);
    SendMessageA(box, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
    return offset();
  };
  auto turnUntilMoved = [&](POINT client, int delta) {
    int before = offset(), now = before;
    ProgramDriver::WaitFor([&] { return (now = turn(client, delta)) != before; }, 5000);
    return now;
  };
  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_GT(lines, 0u);
  moveTo(POINT{0, 0});
  // Over a group box the wheel does nothing.
  RECT r;
  GetWindowRect(group, &r);
  POINT inGroup{r.left + 40, r.top + 60};
  ScreenToClient(box, &inGroup);
  int start = offset();
  moveTo(toScreen(inGroup));
  Sleep(300);
  EXPECT_EQ(turn(inGroup, -120), start);
  // The left margin is bare; the groups start further right. Turned towards
  // the user (a negative delta) the page moves down.
  const POINT bare{4, 60};
  moveTo(toScreen(bare));
  int down = turnUntilMoved(bare, -120);
  EXPECT_GT(down, start);
  int further = turnUntilMoved(bare, -120);
  EXPECT_GT(further, down);
  // Turned away from the user it goes back up.
  EXPECT_LT(turnUntilMoved(bare, 120), further);
}

TEST_F(MainWindow, RestartComputerAsksFirstAndNoDoesNothing) {
  ProgramDriver::Press(ProgramDriver::FindOne(main, "Button", "Restart Computer"));
  HWND confirm = program.WaitForWindow("Confirm", "#32770", kWait);
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(ProgramDriver::MessageBoxText(confirm),
            "Are you sure you want to restart your computer ?");
  HWND no = ProgramDriver::FindOne(confirm, "Button", "&No");
  ASSERT_NE(no, nullptr);
  EXPECT_NE(ProgramDriver::FindOne(confirm, "Button", "&Yes"), nullptr);
  PostMessageA(confirm, WM_COMMAND, IDNO, reinterpret_cast<LPARAM>(no));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(confirm); }, kWait));
  EXPECT_TRUE(program.Running());
}

// Any number of copies open from the icon, each sized on its own: shrinking
// the first window leaves them alone, and closing one ends nothing else.
TEST_F(MainWindow, IconDoubleClicksOpenIndependentCopies) {
  auto copies = [&] {
    std::vector<HWND> found;
    for (HWND w : program.TopWindows())
      if (w != main && ProgramDriver::ClassOf(w) == "TTweakFrm") found.push_back(w);
    return found;
  };
  for (std::size_t n = 1; n <= 3; ++n) {
    // The icon stands at 16, 8 (32 x 32).
    EXPECT_EQ(program.DoubleClickAndTakeErrorBox(30, 20, kWait), "") << "copy " << n;
    ASSERT_TRUE(ProgramDriver::WaitFor([&] { return copies().size() == n; }, kWait))
        << "copy " << n;
  }
  const HWND copy = copies()[0];
  RECT before, after;
  GetWindowRect(copy, &before);
  const LONG buttonHeight = [&] {
    RECT r;
    GetWindowRect(ProgramDriver::FindOne(copy, "Button", "Restart Computer"), &r);
    return r.bottom - r.top;
  }();
  RECT client;
  GetClientRect(main, &client);
  const LONG width = client.right;
  ProgramDriver::DoubleClickAt(main, 60, 27);  // the notice line: 95 %
  ASSERT_TRUE(ProgramDriver::WaitFor(
      [&] { return GetClientRect(main, &client) && client.right < width; }, 5000));
  GetWindowRect(copy, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  RECT button;
  GetWindowRect(ProgramDriver::FindOne(copy, "Button", "Restart Computer"), &button);
  EXPECT_EQ(button.bottom - button.top, buttonHeight);

  PostMessageA(copy, WM_CLOSE, 0, 0);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(copy); }, kWait));
  EXPECT_EQ(copies().size(), 2u);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(MainWindow, NoticeDoubleClickShrinksTheWindowToNinetyFivePercent) {
  // The start size comes from the resize kit's outer size and this system's
  // frame; each double-click takes 95/100 of the client size, rounded.
  RECT client;
  GetClientRect(main, &client);
  LONG width = client.right, height = client.bottom;
  for (int step = 0; step < 3; ++step) {
    width = (width * 95 + 50) / 100;
    height = (height * 95 + 50) / 100;
    // The notice line sits at 56, 25 at full size; 60, 27 stays on it.
    ProgramDriver::DoubleClickAt(main, 60, 27);
    ASSERT_TRUE(ProgramDriver::WaitFor(
        [&] {
          GetClientRect(main, &client);
          return client.right == width && client.bottom == height;
        },
        5000))
        << client.right << " x " << client.bottom << ", wanted " << width << " x " << height;
  }
  // The controls follow: the status bar still spans the bottom edge.
  HWND bar = ProgramDriver::FindOne(main, "msctls_statusbar32");
  RECT barRect;
  GetWindowRect(bar, &barRect);
  POINT bottomRight{client.right, client.bottom};
  ClientToScreen(main, &bottomRight);
  EXPECT_NEAR(barRect.bottom, bottomRight.y, 2);
  EXPECT_NEAR(barRect.right, bottomRight.x, 2);
}

TEST_F(MainWindow, AltDigitSelectsItsTweakPage) {
  PostMessageA(main, WM_SYSCHAR, '2', 0x20000000);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return ActiveTab() == 1; }, 5000));
  HWND save = nullptr;
  for (HWND button : ProgramDriver::Find(main, "Button", "&Save Changes"))
    if (IsWindowVisible(button)) save = button;
  ASSERT_NE(save, nullptr);
  // The visible save button is the one inside " Other Tweaks " on page 2.
  EXPECT_EQ(ProgramDriver::Text(GetParent(save)), " Other Tweaks ");
  PostMessageA(main, WM_SYSCHAR, '1', 0x20000000);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return ActiveTab() == 0; }, 5000));
}

TEST_F(MainWindow, StatusBarShowsMemoryPowerAndUptime) {
  HWND bar = ProgramDriver::FindOne(main, "msctls_statusbar32");
  ASSERT_NE(bar, nullptr);
  // The panels are centred (a leading tab) and refreshed once a second.
  ASSERT_TRUE(ProgramDriver::WaitFor(
      [&] { return program.StatusText(bar, 2).find("Day(s)") != std::string::npos; }, 5000))
      << program.StatusText(bar, 2);
  std::string memory = program.StatusText(bar, 0);
  std::string power = program.StatusText(bar, 1);
  std::string uptime = program.StatusText(bar, 2);
  EXPECT_EQ(memory.rfind("\tMemory Usage : ", 0), 0u) << memory;
  EXPECT_EQ(memory.back(), '%');
  EXPECT_EQ(power.rfind("\tPower : ", 0), 0u) << power;
  EXPECT_EQ(uptime.rfind("\tSystem Uptime : ", 0), 0u) << uptime;
  EXPECT_NE(uptime.find(" Hour(s) "), std::string::npos);
  EXPECT_NE(uptime.find(" Second(s)"), std::string::npos);
  EXPECT_EQ(uptime.find('-'), std::string::npos);
}

TEST_F(MainWindow, RecordsTheProgramPath) {
  std::string recorded = ReadUserString("Zolex", "01");
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, recorded.c_str(), -1,
                           ProgramDriver::ProgramPath().c_str(), -1),
            CSTR_EQUAL)
      << recorded;
}

TEST(DonateDialog, OpensAtFirstStartUntilItsBoxIsCleared) {
  DeleteProgramKeys();
  {
    ProgramDriver program;
    ASSERT_TRUE(program.Start());
    HWND donate = program.WaitForWindow(kDonateCaption, "TfrmDonate", kWait);
    ASSERT_NE(donate, nullptr);
    // Shown before the main window.
    EXPECT_EQ(program.WaitForWindow("Velotune", "TTweakFrm", 0), nullptr);
    HWND box =
        ProgramDriver::FindOne(donate, "Button", "Show this dialog when \"Velotune\" starts");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(ProgramDriver::FindOne(donate, "Button", "Close"), nullptr);

    ProgramDriver::Press(box);
    ASSERT_TRUE(ProgramDriver::WaitFor(
        [&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 5000));
    ProgramDriver::Press(ProgramDriver::FindOne(donate, "Button", "Close"));
    EXPECT_NE(program.WaitForWindow("Velotune", "TTweakFrm", kWait), nullptr);
    EXPECT_EQ(ReadUserString(kSupportKey, "01"), "0");
    program.Stop();
  }
  {
    ProgramDriver program;
    ASSERT_TRUE(program.Start());
    HWND main = program.WaitForWindow("Velotune", "TTweakFrm", kWait);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.WaitForWindow(kDonateCaption, "", 2000), nullptr);

    // The "Donate" button still opens it, with the box cleared and the
    // title filled in once.
    ProgramDriver::Press(ProgramDriver::FindOne(main, "Button", "Donate"));
    HWND donate = program.WaitForWindow(kDonateCaption, "TfrmDonate", kWait);
    ASSERT_NE(donate, nullptr);
    HWND box =
        ProgramDriver::FindOne(donate, "Button", "Show this dialog when \"Velotune\" starts");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostMessageA(donate, WM_CLOSE, 0, 0);
    ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(donate); }, kWait));
    program.Stop();
  }
}

TEST(ErrorBox, AFailingStartStepIsShownAndTheProgramGoesOn) {
  // A choice stored as a number cannot be read as text.
  DeleteProgramKeys();
  WriteUserDword(kSupportKey, "01", 1);
  ProgramDriver program;
  ASSERT_TRUE(program.Start());
  HWND box = program.WaitForWindow("Velotune", "#32770", kWait);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ProgramDriver::MessageBoxText(box), "Invalid data type for '01'");
  HWND ok = ProgramDriver::FindOne(box, "Button", "OK");
  ASSERT_NE(ok, nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(ok));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(box); }, kWait));
  HWND main = program.WaitForWindow("Velotune", "TTweakFrm", kWait);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(program.WaitForWindow(kDonateCaption, "", 1000), nullptr);
  EXPECT_TRUE(program.Running());
  // The rest of the start-up was skipped, the window works.
  EXPECT_NE(ProgramDriver::FindOne(main, "Button", "About"), nullptr);
  program.Stop();
}

}  // namespace
}  // namespace velotune
