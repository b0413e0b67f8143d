// Splitting the rich edit's text into script lines; the track bar label.
#include <gtest/gtest.h>

#include "tweaks/page_actions.h"
#include "tweaks/speedup_script.h"
#include "tweaks/tweak_fixture.h"

namespace velotune {
namespace {

TEST(SplitLines, BreaksAtEveryKindOfLineEnd) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"\r\n", {""}},
      {"one", {"one"}},
      {"one\r\n", {"one"}},
      {"one\r\ntwo", {"one", "two"}},
      {"one\r\n\r\ntwo\r\n", {"one", "", "two"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\\\r\nb", {"a\\", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(SplitLines, RoundTripsTheScriptAsTheRichEditReturnsIt) {
  std::string crlf, cr;
  for (const std::string& line : ToRegLines()) {
    crlf += line + "\r\n";
    cr += line + "\r";
  }
  EXPECT_EQ(SplitLines(crlf), ToRegLines());
  EXPECT_EQ(SplitLines(cr), ToRegLines());
}

TEST(TBChange, CaptionShowsThePosition) {
  EXPECT_EQ(TBChange(3500), "Number of Saved Folders : (3500)");
  EXPECT_EQ(TBChange(0), "Number of Saved Folders : (0)");
  EXPECT_EQ(TBChange(8000), "Number of Saved Folders : (8000)");
}

}  // namespace
}  // namespace velotune
