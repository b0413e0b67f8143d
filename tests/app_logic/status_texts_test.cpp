#include "app/logic/status_texts.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace velotune {
namespace {

TEST(UptimeText, SplitsTicksIntoDaysHoursMinutesSeconds) {
  struct Case {
    std::uint32_t ticks;
    const char* text;
  };
  const Case cases[] = {
      {0, "0 Day(s) 0 Hour(s) 0 Minute(s) 0 Second(s)"},
      {999, "0 Day(s) 0 Hour(s) 0 Minute(s) 0 Second(s)"},
      {1000, "0 Day(s) 0 Hour(s) 0 Minute(s) 1 Second(s)"},
      {59999, "0 Day(s) 0 Hour(s) 0 Minute(s) 59 Second(s)"},
      {60000, "0 Day(s) 0 Hour(s) 1 Minute(s) 0 Second(s)"},
      {3600000, "0 Day(s) 1 Hour(s) 0 Minute(s) 0 Second(s)"},
      {86399999, "0 Day(s) 23 Hour(s) 59 Minute(s) 59 Second(s)"},
      {86400000, "1 Day(s) 0 Hour(s) 0 Minute(s) 0 Second(s)"},
      {25u * 86400000u + 3u * 3600000u + 7u * 60000u + 9000u,
       "25 Day(s) 3 Hour(s) 7 Minute(s) 9 Second(s)"},
      // The largest count, just before the wrap to 0 after about 49.7 days.
      {UINT32_MAX, "49 Day(s) 17 Hour(s) 2 Minute(s) 47 Second(s)"},
  };
  for (const Case& c : cases) EXPECT_EQ(UptimeText(c.ticks), c.text) << c.ticks;
}

TEST(StatusPanelTexts, CarryTheirPrefixAndPercent) {
  EXPECT_EQ(MemoryUsagePanelText(0), "Memory Usage : 0%");
  EXPECT_EQ(MemoryUsagePanelText(100), "Memory Usage : 100%");
  EXPECT_EQ(PowerPanelText(100), "Power : 100%");
  EXPECT_EQ(PowerPanelText(7), "Power : 7%");
  EXPECT_EQ(UptimePanelText(61000), "System Uptime : 0 Day(s) 0 Hour(s) 1 Minute(s) 1 Second(s)");
}

TEST(StatusPanelTexts, UnknownBatteryChargeIsNotShownAsAPercentage) {
  EXPECT_EQ(PowerPanelText(kBatteryPercentUnknown), "Power : -");
  EXPECT_EQ(PowerPanelText(254), "Power : 254%");  // only the marker value is special
}

}  // namespace
}  // namespace velotune
