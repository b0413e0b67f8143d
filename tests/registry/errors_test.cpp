#include "platform/errors.h"

#include <gtest/gtest.h>

namespace velotune {
namespace {

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
  struct Case {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Failed to create key System", "Failed to create key System."},
      {"Failed to set data for 'NoRun'", "Failed to set data for 'NoRun'"},
      {"Ends in digit 5", "Ends in digit 5."},
      {"Ends in backslash\\", "Ends in backslash\\."},
      {"Already.", "Already."},
      {"Dash-", "Dash-"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shown, ErrorBoxText(c.message)) << c.message;
}

TEST(EOSError, CarriesCodeAndSystemText) {
  EOSError e(2, "The system cannot find the file specified.");
  EXPECT_STREQ("System Error.  Code: 2.\r\nThe system cannot find the file specified.", e.what());
  EXPECT_EQ(2u, e.ErrorCode());
  EXPECT_STREQ("A call to an OS function failed", EOSError(0, "").what());
}

TEST(FormatMessage1, FillsTheFirstPlaceholder) {
  EXPECT_EQ("Failed to set data for 'X'", FormatMessage1("Failed to set data for '%s'", "X"));
  EXPECT_EQ("no placeholder", FormatMessage1("no placeholder", "X"));
  EXPECT_EQ("a %s b", FormatMessage1("%s %s b", "a"));
}

}  // namespace
}  // namespace velotune
