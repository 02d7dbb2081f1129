// The one conversion of file times to calendar times. An unset file time
// (all zero) converts to an all-zero calendar time in every time zone and
// never fails, so "no time recorded" stays recognisable after conversion.
#pragma once

#include <cstdint>
#include <filesystem>

struct CalendarTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool IsZero() const { return year == 0 && month == 0 && day == 0 && hour == 0 && minute == 0 && second == 0; }
  friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

// A file time in 100-nanosecond ticks since 1 January 1601 (UTC), the form
// the key's file dialogs report; local chooses the local time zone over UTC.
CalendarTime FileTimeToCalendar(std::uint64_t ticks, bool local);
// A time of the file system; the clock's zero is the unset time.
CalendarTime FileTimeToCalendar(std::filesystem::file_time_type time, bool local);
