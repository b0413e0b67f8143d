// The size properties' checks: order, messages in both languages, and that a
// refused value leaves the settings unchanged.
#include "resize/size_validation.h"

#include <gtest/gtest.h>

#include "resize/resize_errors.h"

namespace velotune {
namespace {

// The Japanese texts as the user reads them, in UTF-8.
const std::string kJaNotBelow = u8" 以上の値を入れてください";
const std::string kJaNotAbove = u8" 以下の値を入れてください";

SizeSettings Settings(int w, int h, int maxW, int maxH, int minW, int minH) {
  SizeSettings s;
  s.formWidth = w;
  s.formHeight = h;
  s.limits = {maxW, maxH, minW, minH};
  return s;
}

TEST(SizeValidationTest, MessagesInCheckOrder) {
  using P = SizeProperty;
  struct Case {
    SizeSettings settings;
    P property;
    int value;
    const char* english;
    std::string japanese;
  } cases[] = {
      // Not below 0 comes first whatever else is set.
      {Settings(0, 0, 100, 100, 50, 50), P::kFormWidth, -1,
       "Set this value equal to or greater than 0", "0" + kJaNotBelow},
      {Settings(0, 0, 0, 0, 0, 0), P::kMinHeight, -5, "Set this value equal to or greater than 0",
       "0" + kJaNotBelow},
      {Settings(0, 0, 100, 100, 50, 50), P::kFormWidth, 40,
       "Set this value equal to or greater than the FormMinWidth", "FormMinWidth" + kJaNotBelow},
      {Settings(0, 0, 100, 100, 50, 50), P::kFormWidth, 101,
       "Set this value equal to or less than the FormMaxWidth", "FormMaxWidth" + kJaNotAbove},
      {Settings(0, 0, 100, 100, 50, 50), P::kFormHeight, 40,
       "Set this value equal to or greater than the FormMinHeight", "FormMinHeight" + kJaNotBelow},
      {Settings(0, 0, 100, 100, 50, 50), P::kFormHeight, 101,
       "Set this value equal to or less than the FormMaxHeight", "FormMaxHeight" + kJaNotAbove},
      // Max width below both min width and form width: the min check runs first.
      {Settings(80, 80, 0, 0, 60, 60), P::kMaxWidth, 50,
       "Set this value equal to or greater than the FormMinWidth", "FormMinWidth" + kJaNotBelow},
      {Settings(80, 80, 0, 0, 60, 60), P::kMaxWidth, 70,
       "Set this value equal to or greater than the FormWidth", "FormWidth" + kJaNotBelow},
      {Settings(80, 80, 0, 0, 60, 60), P::kMaxHeight, 50,
       "Set this value equal to or greater than the FormMinHeight", "FormMinHeight" + kJaNotBelow},
      {Settings(80, 80, 0, 0, 60, 60), P::kMaxHeight, 70,
       "Set this value equal to or greater than the FormHeight", "FormHeight" + kJaNotBelow},
      // Min width above both max width and form width: the max check runs first.
      {Settings(80, 80, 90, 90, 0, 0), P::kMinWidth, 95,
       "Set this value equal to or less than the FormMaxWidth", "FormMaxWidth" + kJaNotAbove},
      {Settings(80, 80, 90, 90, 0, 0), P::kMinWidth, 85,
       "Set this value equal to or less than the FormWidth", "FormWidth" + kJaNotAbove},
      {Settings(80, 80, 90, 90, 0, 0), P::kMinHeight, 95,
       "Set this value equal to or less than the FormMaxHeight", "FormMaxHeight" + kJaNotAbove},
      {Settings(80, 80, 90, 90, 0, 0), P::kMinHeight, 85,
       "Set this value equal to or less than the FormHeight", "FormHeight" + kJaNotAbove},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SizeValueProblem(c.settings, c.property, c.value, false), c.english) << c.value;
    EXPECT_EQ(SizeValueProblem(c.settings, c.property, c.value, true), c.japanese) << c.value;
  }
}

TEST(SizeValidationTest, ZeroBoundsAndZeroValuesAreAlwaysAccepted) {
  const SizeSettings none;
  for (SizeProperty p :
       {SizeProperty::kFormWidth, SizeProperty::kFormHeight, SizeProperty::kMaxWidth,
        SizeProperty::kMaxHeight, SizeProperty::kMinWidth, SizeProperty::kMinHeight}) {
    EXPECT_EQ(SizeValueProblem(none, p, 5000, false), "");
    EXPECT_EQ(SizeValueProblem(Settings(80, 80, 90, 90, 60, 60), p, 0, false), "");
  }
  // Equal to a bound is fine.
  EXPECT_EQ(SizeValueProblem(Settings(80, 80, 90, 90, 60, 60), SizeProperty::kFormWidth, 90, false),
            "");
  EXPECT_EQ(SizeValueProblem(Settings(80, 80, 90, 90, 60, 60), SizeProperty::kMaxWidth, 80, false),
            "");
}

TEST(SizeValidationTest, ARefusedValueRaisesAndKeepsTheOldOne) {
  SizeSettings s;
  SetSizeProperty(s, SizeProperty::kFormWidth, 806, false);
  SetSizeProperty(s, SizeProperty::kFormHeight, 688, false);
  SetSizeProperty(s, SizeProperty::kMaxWidth, 1000, false);
  EXPECT_EQ(s.formWidth, 806);
  EXPECT_EQ(s.limits.maxWidth, 1000);
  try {
    SetSizeProperty(s, SizeProperty::kFormWidth, 1001, false);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Set this value equal to or less than the FormMaxWidth");
  }
  EXPECT_EQ(s.formWidth, 806);
  EXPECT_THROW(SetSizeProperty(s, SizeProperty::kMaxWidth, 805, true), EInvalidOperation);
  EXPECT_EQ(s.limits.maxWidth, 1000);
  SetSizeProperty(s, SizeProperty::kMaxWidth, 0, false);
  EXPECT_EQ(s.limits.maxWidth, 0);
}

TEST(SizeValidationTest, JapaneseLanguageAbbreviation) {
  EXPECT_TRUE(IsJapaneseLanguageAbbrev("JPN"));
  EXPECT_TRUE(IsJapaneseLanguageAbbrev("jpn"));
  EXPECT_FALSE(IsJapaneseLanguageAbbrev("ENU"));
  EXPECT_FALSE(IsJapaneseLanguageAbbrev("JPNX"));
  EXPECT_FALSE(IsJapaneseLanguageAbbrev(""));
}

}  // namespace
}  // namespace velotune
