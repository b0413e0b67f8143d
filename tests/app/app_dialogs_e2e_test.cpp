// The About and Donate dialogs of velotune.exe under Wine, driven from
// outside: the Bitcoin boxes of the three pictures that open one, the About
// dialog's Close button, and the Donate dialog's choice stored however it
// closes.
#include "program_driver.h"
// After windows.h, which program_driver.h brings in.
#include <gtest/gtest.h>

#include "app/logic/maker_info.h"

namespace velotune {
namespace {

constexpr DWORD kWait = 20000;
const char kSupportKey[] = "Zolex\\Support";
const char kDonateCaption[] = "Support \"Velotune\"";
const char kShowBox[] = "Show this dialog when \"Velotune\" starts";

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    main = program.StartToMainWindow(kWait);
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override { program.Stop(); }

  // Clicks a picture without waiting: the box it opens is modal.
  static void PostClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  // The Bitcoin box is open with the address to copy; Cancel closes it.
  void ExpectBitcoinBoxThenCancel() {
    HWND box = program.WaitForWindow("Support Us", "", kWait);
    ASSERT_NE(box, nullptr);
    HWND edit = ProgramDriver::FindOne(box, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ProgramDriver::Text(edit), kBitcoinAddress);
    HWND cancel = ProgramDriver::FindOne(box, "Button", "Cancel");
    ASSERT_NE(cancel, nullptr);
    ProgramDriver::Press(cancel);
    ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(box); }, kWait));
  }

  HWND OpenDonate() {
    ProgramDriver::Press(ProgramDriver::FindOne(main, "Button", "Donate"));
    return program.WaitForWindow(kDonateCaption, "TfrmDonate", kWait);
  }

  ProgramDriver program;
  HWND main = nullptr;
};

TEST_F(Dialogs, EachBitcoinPictureOpensTheSupportBox) {
  // The sidebar's picture, at the foot of the inner panel.
  HWND sidebar = nullptr;
  for (HWND panel : ProgramDriver::Find(main, "TPanel"))
    if (ProgramDriver::ClassOf(GetParent(panel)) == "TPanel" && GetParent(GetParent(panel)) == main)
      sidebar = panel;
  ASSERT_NE(sidebar, nullptr);
  PostClick(sidebar, 16 + 51, 502 + 20);
  ExpectBitcoinBoxThenCancel();

  // The About dialog's picture sits in its group box, beside "Close".
  ProgramDriver::Press(ProgramDriver::FindOne(main, "Button", "About"));
  HWND about = program.WaitForWindow("About", "TfrmVtAbout", kWait);
  ASSERT_NE(about, nullptr);
  HWND group = ProgramDriver::FindOne(about, "TGroupBox");
  ASSERT_NE(group, nullptr);
  PostClick(group, 16 + 40, 214 + 15);
  ExpectBitcoinBoxThenCancel();
  ProgramDriver::Press(ProgramDriver::FindOne(about, "Button", "Close"));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(about); }, kWait));

  HWND donate = OpenDonate();
  ASSERT_NE(donate, nullptr);
  PostClick(donate, 16 + 40, 168 + 15);
  ExpectBitcoinBoxThenCancel();
  PostMessageA(donate, WM_CLOSE, 0, 0);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(donate); }, kWait));
  EXPECT_TRUE(program.Running());
}

TEST_F(Dialogs, DonateStoresItsChoiceWhenTheCloseBoxClosesIt) {
  HWND donate = OpenDonate();
  ASSERT_NE(donate, nullptr);
  HWND box = ProgramDriver::FindOne(donate, "Button", kShowBox);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ProgramDriver::Press(box);
  ASSERT_TRUE(ProgramDriver::WaitFor(
      [&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
  PostMessageA(donate, WM_CLOSE, 0, 0);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(donate); }, kWait));
  EXPECT_EQ(ReadUserString(kSupportKey, "01"), "1");

  // Opened again it is a fresh dialog: the title filled in once, the box
  // ticked from the stored choice.
  donate = OpenDonate();
  ASSERT_NE(donate, nullptr);
  box = ProgramDriver::FindOne(donate, "Button", kShowBox);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  ProgramDriver::Press(ProgramDriver::FindOne(donate, "Button", "Close"));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindow(donate); }, kWait));
  EXPECT_EQ(ReadUserString(kSupportKey, "01"), "1");
}

}  // namespace
}  // namespace velotune
