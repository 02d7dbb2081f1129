// An unset file time stays unset through the conversion, in every time zone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "database/FileTime.h"

namespace {

// Sets the process time zone for the life of the object.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (m_had)
      setenv("TZ", m_old.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string m_old;
  bool m_had = false;
};

constexpr std::uint64_t kTicks2000 = (946'684'800ull + 11'644'473'600ull) * 10'000'000ull;

}  // namespace

TEST(FileTime, AllZeroTimeConvertsToAllZeroInEveryZone) {
  for (const char* zone : {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT", "NZST-12NZDT", "XYZ+14"}) {
    TimeZone tz(zone);
    EXPECT_TRUE(FileTimeToCalendar(std::uint64_t{0}, true).IsZero()) << zone;
    EXPECT_TRUE(FileTimeToCalendar(std::uint64_t{0}, false).IsZero()) << zone;
    EXPECT_TRUE(FileTimeToCalendar(std::filesystem::file_time_type{}, true).IsZero()) << zone;
  }
}

TEST(FileTime, OtherTimesConvertByTheCalendar) {
  EXPECT_EQ(FileTimeToCalendar(kTicks2000, false), (CalendarTime{2000, 1, 1, 0, 0, 0}));
  EXPECT_EQ(FileTimeToCalendar(kTicks2000 + 10'000'000ull * (3600 + 61), false), (CalendarTime{2000, 1, 1, 1, 1, 1}));
  TimeZone tz("CET-1");
  EXPECT_EQ(FileTimeToCalendar(kTicks2000, true), (CalendarTime{2000, 1, 1, 1, 0, 0}));
  // One tick after the start of 1601 is a real time, not the unset one.
  EXPECT_FALSE(FileTimeToCalendar(std::uint64_t{10'000'000}, false).IsZero());
}

TEST(FileTime, FileSystemTimesAgreeWithTheTickForm) {
  const auto sys = std::chrono::sys_seconds{std::chrono::seconds{946'684'800}};
  const auto file = std::chrono::file_clock::from_sys(sys);
  EXPECT_EQ(FileTimeToCalendar(file, false), FileTimeToCalendar(kTicks2000, false));
}
