// The real main window and dialogs in this process, over a memory registry,
// with the process seam recording what the shell would open or start: each
// link handler's target and show command, and the restart confirmation.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/donate_form.h"
#include "app/logic/maker_info.h"
#include "app/program_classes.h"
#include "app/tweak_form.h"
#include "framework/application.h"
#include "platform/memory_registry.h"
#include "platform/registry_values.h"
#include "platform/seams.h"
#include "support/box_answerer.h"
#include "support/recording_seams.h"
#include "tweaks/registry.h"

namespace velotune {
namespace {

std::string ThisProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

class WindowHandlers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterProgramClasses(); }

  WindowHandlers() : seams_(&registry_, &processes_, &files_) {
    WriteStringUser("Zolex\\Support", "01", "0");  // no Donate dialog at start
    main_ = std::make_unique<TTweakFrm>(nullptr);
  }

  // Fires a control's event as its click would, and returns what the
  // process seam was asked meanwhile.
  std::vector<RecordingProcesses::Call> Fire(TComponent& form, const char* control,
                                             const char* event) {
    processes_.calls.clear();
    Bind<TControl>(form, control)->Fire(event);
    return processes_.calls;
  }

  MemoryRegistry registry_;
  RecordingProcesses processes_;
  RecordingFiles files_;
  ScopedSeams seams_;
  std::unique_ptr<TTweakFrm> main_;
};

TEST_F(WindowHandlers, EachLinkOpensItsTargetWithItsShowCommand) {
  TfrmDonate donate(main_.get());
  TfrmVtAbout about(main_.get());
  struct Link {
    TForm* form;
    const char* control;
    const char* event;
    std::string target;
    int show;
  };
  const Link links[] = {
      {main_.get(), "Image1", "OnClick", kFollowAddress, SW_SHOW},
      {main_.get(), "Image4", "OnClick", kShareAddress, SW_SHOWNORMAL},
      {main_.get(), "Image3", "OnClick", kPostAddress, SW_SHOWNORMAL},
      {main_.get(), "Label3", "OnDblClick", ThisProgramFolder(), SW_SHOW},
      {&donate, "Button2", "OnClick", kDonationAddress, SW_SHOW},
      {&donate, "FB28", "OnClick", kFollowAddress, SW_SHOW},
      {&donate, "Image2", "OnClick", kShareAddress, SW_SHOWNORMAL},
      {&donate, "Image3", "OnClick", kPostAddress, SW_SHOWNORMAL},
      {&about, "Label13", "OnClick", kMakerWebAddress, SW_SHOW},
      {&about, "Label5", "OnClick", kMakerForumAddress, SW_SHOW},
  };
  for (const Link& link : links) {
    SCOPED_TRACE(std::string(link.form->ClassName()) + "." + link.control);
    const auto calls = Fire(*link.form, link.control, link.event);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, "ShellOpen");
    EXPECT_EQ(calls[0].commandLine, link.target);
    EXPECT_EQ(calls[0].show, link.show);
    EXPECT_EQ(calls[0].owner, static_cast<void*>(link.form->Handle()));
  }
}

TEST_F(WindowHandlers, RestartComputerRunsTheShutdownToolOnlyOnYes) {
  {
    BoxAnswerer no(IDNO);
    EXPECT_TRUE(Fire(*main_, "Button3", "OnClick").empty());
    EXPECT_EQ(no.Result().caption, "Confirm");
  }
  BoxAnswerer yes(IDYES);
  const auto calls = Fire(*main_, "Button3", "OnClick");
  ASSERT_TRUE(yes.Result().shown);
  EXPECT_EQ(yes.Result().text, "Are you sure you want to restart your computer ?");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].kind, "WinExec");
  EXPECT_EQ(calls[0].commandLine, "Shutdown -r -f -t 1");
  EXPECT_EQ(calls[0].show, SW_HIDE);
}

std::vector<std::string> Everything(RegistryBackend& registry) {
  std::vector<std::string> lines;
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                            RegistryRoot::LocalMachine, RegistryRoot::Users})
    AppendKeyTree(registry, root, "", &lines);
  return lines;
}

// Started without the administrator's rights (the compatibility layer
// "RunAsInvoker", a standard user), the window's actions stop before their
// backup with an error box naming what needs the rights: nothing is written,
// started or backed up.
TEST_F(WindowHandlers, WithoutRightsAnActionStopsAtItsErrorBoxWithNothingChanged) {
  processes_.elevated = false;
  WriteStringMachine("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", "AlwaysUnloadDll",
                     "0");
  const std::vector<std::string> before = Everything(registry_);
  const auto filesBefore = files_.files;
  struct Action {
    const char* button;
    std::string message;
  };
  const std::string advice = ". Nothing was changed; start Velotune with \"Run as administrator\".";
  const Action actions[] = {
      {"Button2",
       "1-Click Tweak needs administrator rights: it writes "
       "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies and 100 more "
       "machine-wide or policy keys, and starts the registry editor" +
           advice},
      {"Save3",
       "Save Changes on Tweaks [3] needs administrator rights: it writes "
       "HKEY_LOCAL_MACHINE\\SYSTEM "
       "and 41 more machine-wide keys" +
           advice},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.button);
    BoxAnswerer ok(IDOK);
    SendMessageA(Bind<TWinControl>(*main_, action.button)->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(ok.Result().shown);
    EXPECT_EQ(ok.Result().text, action.message);
  }
  EXPECT_EQ(Everything(registry_), before);
  EXPECT_EQ(files_.files, filesBefore);
  EXPECT_TRUE(processes_.calls.empty());
}

}  // namespace
}  // namespace velotune
