#include "database/FileTime.h"

#include <chrono>
#include <ctime>

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

CalendarTime FromUnixSeconds(std::int64_t seconds, bool local) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  const bool ok = local ? localtime_r(&time, &parts) != nullptr : gmtime_r(&time, &parts) != nullptr;
  if (!ok) return {};
  return CalendarTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace

CalendarTime FileTimeToCalendar(std::uint64_t ticks, bool local) {
  if (ticks == 0) return {};
  const auto seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
  return FromUnixSeconds(seconds, local);
}

CalendarTime FileTimeToCalendar(std::filesystem::file_time_type time, bool local) {
  if (time == std::filesystem::file_time_type{}) return {};
  const auto system = std::chrono::file_clock::to_sys(time);
  return FromUnixSeconds(std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count(), local);
}
