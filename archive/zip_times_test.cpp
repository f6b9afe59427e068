#include "archive/zip_times.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <optional>
#include <string>

namespace vantrel::zip_times {
namespace {

// Runs a test in a given time zone and puts the old one back afterwards.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (old_)
      setenv("TZ", old_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

constexpr std::uint32_t dos(unsigned year, unsigned month, unsigned day, unsigned hour,
                            unsigned minute, unsigned second) {
  return ((year - 1980) << 9 | month << 5 | day) << 16 | (hour << 11 | minute << 5 | second / 2);
}

TEST(ZipTimesTest, ExtendedTimestampKeepsTheYearsBetween1970And2037) {
  struct Case {
    const char* zone;
    std::int64_t time;
    std::int32_t expected;
  };
  static const Case cases[] = {
      {"UTC0", 1236000000, 1236000000},         // 2009-03-02 13:20:00
      {"UTC0", 0, 0},                           // 1970-01-01 00:00:00
      {"UTC0", -100000000, 51200},              // 1966-10-31 14:13:20 -> 1970-01-01 14:13:20
      {"UTC0", 2145916799, 2145916799},         // 2037-12-31 23:59:59
      {"UTC0", 2145916800, 2145830400},         // 2038-01-01 00:00:00 -> 2037-12-31 00:00:00
      {"UTC0", 2208988800 + 3723, 2145834123},  // 2040-01-01 01:02:03 -> 2037-12-31 01:02:03
      {"JST-9", -14400, -14400},                // 1970-01-01 05:00 local: kept
      {"JST-9", -32401, 53999},                 // 1969-12-31 23:59:59 local -> 1970-01-01
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.time));
    TimeZone zone(c.zone);
    EXPECT_EQ(extendedTimestamp(c.time), c.expected);
  }
}

TEST(ZipTimesTest, DosDateTimeIsLocalTimeWithinItsRange) {
  struct Case {
    const char* zone;
    std::int64_t time;
    std::uint32_t expected;
  };
  static const Case cases[] = {
      {"UTC0", 1236000000, dos(2009, 3, 2, 13, 20, 0)},
      {"UTC0", 1236000001, dos(2009, 3, 2, 13, 20, 0)},  // two-second steps
      {"JST-9", 1236000000, dos(2009, 3, 2, 22, 20, 0)},
      {"UTC0", 0, dos(1980, 1, 1, 0, 0, 0)},                // before 1980
      {"UTC0", 4354819200, dos(2107, 12, 31, 23, 59, 58)},  // 2108-01-01
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.time));
    TimeZone zone(c.zone);
    EXPECT_EQ(dosDateTime(c.time), c.expected);
  }
}

TEST(ZipTimesTest, ExtraFieldsHoldTheClampedTimes) {
  TimeZone zone("UTC0");
  const std::vector<std::uint8_t> local = localExtraField(1236000000, -100000000, 2145916800);
  const std::vector<std::uint8_t> expectedLocal = {0x55, 0x54, 13,   0,    7,  //
                                                   0x00, 0xDD, 0xAB, 0x49,     // 1236000000
                                                   0x00, 0xC8, 0x00, 0x00,     // 51200
                                                   0x00, 0xC6, 0xE6, 0x7F};    // 2145830400
  EXPECT_EQ(local, expectedLocal);
  const std::vector<std::uint8_t> expectedCentral = {0x55, 0x54, 5, 0, 7, 0x00, 0xDD, 0xAB, 0x49};
  EXPECT_EQ(centralExtraField(1236000000), expectedCentral);
}

TEST(ZipTimesTest, EntryTimeComesFromTheExtendedTimestampOrTheDosTime) {
  TimeZone zone("UTC0");
  const std::vector<std::uint8_t> timestamp = centralExtraField(1236000000);
  const std::vector<std::uint8_t> otherFieldFirst = {0x0A, 0x00, 2, 0,    0xAA, 0xBB, 0x55, 0x54,
                                                     5,    0,    7, 0x00, 0xDD, 0xAB, 0x49};
  const std::vector<std::uint8_t> truncated = {0x55, 0x54, 5, 0, 7, 0x80};
  const std::uint32_t dosTime = dos(2000, 1, 2, 3, 4, 6);
  EXPECT_EQ(entryModifiedTime(timestamp.data(), timestamp.size(), dosTime), 1236000000);
  EXPECT_EQ(entryModifiedTime(otherFieldFirst.data(), otherFieldFirst.size(), dosTime), 1236000000);
  EXPECT_EQ(entryModifiedTime(truncated.data(), truncated.size(), dosTime), 946782246);
  EXPECT_EQ(entryModifiedTime(nullptr, 0, dosTime), 946782246);
}

}  // namespace
}  // namespace vantrel::zip_times
