#include "skin/data/win32_skin_environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "skin/data/colour.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_environment.h"
#include "skin_files.h"

namespace velotune::skin {
namespace {

TEST(Win32SkinEnvironment, TheSkinIsBuiltWithTheSystemsAnswers) {
  InstallWin32SkinEnvironment();
  const SkinEnvironment& env = ActiveSkinEnvironment();
  EXPECT_EQ(env.horizontalScrollArrowWidth, GetSystemMetrics(SM_CXHSCROLL));
  EXPECT_GT(env.maximizedWidth, 0);
  EXPECT_TRUE(env.showMessage != nullptr);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  EXPECT_EQ(ResolveColour(SystemColour(kColorBtnText)), static_cast<TColor>(text));

  TSkinData data;
  EXPECT_EQ(data.MaximizedWidth(), GetSystemMetrics(SM_CXMAXIMIZED));
  data.SetStoredSkin(testing::ShippedSkinFile());
  ASSERT_TRUE(data.LoadSkinStream());
  // The shipped skin gives no window-text colour: it stays the system's.
  EXPECT_EQ(ResolveColour(data.Colour(ceWindowText)),
            static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
  SetSystemColourQuery(nullptr);
}

}  // namespace
}  // namespace velotune::skin
