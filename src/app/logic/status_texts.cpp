#include "app/logic/status_texts.h"

namespace velotune {

namespace {
constexpr std::uint32_t kMsPerSecond = 1000;
constexpr std::uint32_t kMsPerMinute = 60 * kMsPerSecond;
constexpr std::uint32_t kMsPerHour = 60 * kMsPerMinute;
constexpr std::uint32_t kMsPerDay = 24 * kMsPerHour;
}  // namespace

std::string UptimeText(std::uint32_t t) {
  return std::to_string(t / kMsPerDay) + " Day(s) " + std::to_string(t % kMsPerDay / kMsPerHour) +
         " Hour(s) " + std::to_string(t % kMsPerHour / kMsPerMinute) + " Minute(s) " +
         std::to_string(t % kMsPerMinute / kMsPerSecond) + " Second(s)";
}

std::string MemoryUsagePanelText(unsigned memoryLoad) {
  return "Memory Usage : " + std::to_string(memoryLoad) + "%";
}

std::string PowerPanelText(unsigned batteryLifePercent) {
  // 255 is no charge at all but the system's "unknown"; showing "255%" would be wrong.
  if (batteryLifePercent == kBatteryPercentUnknown) return "Power : -";
  return "Power : " + std::to_string(batteryLifePercent) + "%";
}

std::string UptimePanelText(std::uint32_t tickCount) {
  return "System Uptime : " + UptimeText(tickCount);
}

}  // namespace velotune
