// A moment in the user's local time, to the millisecond: what backups are
// named by.
#pragma once

namespace velotune {

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

#ifdef _WIN32
// GetLocalTime.
LocalTime LocalTimeNow();
#endif

}  // namespace velotune
