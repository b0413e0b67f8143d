#include "app/logic/donate_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace velotune {
namespace {

TEST(SupportValueName, IsTwoDigitsForProductsOneToNinetyNine) {
  struct Case {
    int number;
    const char* name;
  };
  const Case cases[] = {{1, "01"}, {9, "09"}, {10, "10"}, {12, "12"},  {99, "99"},
                        {0, ""},   {-1, ""},  {100, ""},  {12345, ""}, {INT_MIN, ""}};
  for (const Case& c : cases) EXPECT_EQ(SupportValueName(c.number), c.name) << c.number;
  EXPECT_EQ(SupportValueName(kDonateProductNumber), kProgramPathValue);
}

TEST(ShowDonateFor, ShowsForOneOrNothingStored) {
  EXPECT_TRUE(ShowDonateFor(""));
  EXPECT_TRUE(ShowDonateFor("1"));
  for (const char* other : {"0", "yes", "true", "11", " 1", "1 ", "01", "-1"})
    EXPECT_FALSE(ShowDonateFor(other)) << other;
}

TEST(ShowDonateFor, StoredChoiceReadsBackAsTheBoxWasLeft) {
  EXPECT_TRUE(ShowDonateFor(StoredChoiceFor(true)));
  EXPECT_FALSE(ShowDonateFor(StoredChoiceFor(false)));
}

TEST(FillTitle, ReplacesEveryExactPlaceholderOnce) {
  EXPECT_EQ(FillTitle("Support \"%s\"", "Velotune"), "Support \"Velotune\"");
  EXPECT_EQ(FillTitle("%s and %s", "A"), "A and A");
  EXPECT_EQ(FillTitle("%S stays, 100% too", "A"), "%S stays, 100% too");
  // A title holding the placeholder is not expanded again.
  EXPECT_EQ(FillTitle("[%s]", "%s%s"), "[%s%s]");
  // Filling an already filled text changes nothing more.
  std::string once = FillTitle("Show this dialog when \"%s\" starts", "Velotune");
  EXPECT_EQ(FillTitle(once, "Velotune"), once);
}

TEST(ImagePlaces, PressMovesTwoDownAndTwoLeftFromTheStoredRestingPlace) {
  ImagePlace pressed = PressedPlace(192, 344);
  EXPECT_EQ(pressed.left, 342);
  EXPECT_EQ(pressed.top, 194);
  // Positions are absolute: pressing again never drifts further.
  ImagePlace again = PressedPlace(192, 344);
  EXPECT_EQ(again.left, pressed.left);
  ImagePlace rest = RestingPlace(192, 344);
  EXPECT_EQ(rest.left, 344);
  EXPECT_EQ(rest.top, 192);
}

}  // namespace
}  // namespace velotune
