// The texts of the main window's status bar, refreshed once a second from the
// system's memory load, battery charge and tick count.
#pragma once

#include <cstdint>
#include <string>

namespace velotune {

// The battery charge the system reports when it does not know it (no battery).
constexpr unsigned kBatteryPercentUnknown = 255;

// "3 Day(s) 4 Hour(s) 5 Minute(s) 6 Second(s)" for a tick count in
// milliseconds; the count wraps after about 49.7 days like GetTickCount.
std::string UptimeText(std::uint32_t tickCount);

// Panel 0: "Memory Usage : 42%".
std::string MemoryUsagePanelText(unsigned memoryLoad);
// Panel 1: "Power : 87%"; "Power : -" while the charge is unknown.
std::string PowerPanelText(unsigned batteryLifePercent);
// Panel 2: "System Uptime : " and the uptime text.
std::string UptimePanelText(std::uint32_t tickCount);

}  // namespace velotune
