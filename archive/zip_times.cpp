#include "archive/zip_times.h"

#include <ctime>
#include <limits>

#include "os/os.h"

namespace vantrel::zip_times {
namespace {

constexpr std::uint16_t kExtendedTimestampId = 0x5455;
constexpr std::uint8_t kAllThreeTimes = 7;

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t readLittleEndian(const std::uint8_t* bytes, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// Local broken-down time back to Unix seconds; daylight saving looked up.
std::int64_t fromLocalTime(std::tm time) {
  time.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&time));
}

}  // namespace

std::uint32_t dosDateTime(std::int64_t unixSeconds) {
  constexpr std::uint32_t kEarliest = (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00
  constexpr std::uint32_t kLatest =                          // 2107-12-31 23:59:58
      (127u << 9 | 12u << 5 | 31u) << 16 | (23u << 11 | 59u << 5 | 29u);
  std::tm local{};
  if (!os::localTime(unixSeconds, local)) return unixSeconds < 0 ? kEarliest : kLatest;
  const int year = local.tm_year + 1900;
  if (year < 1980) return kEarliest;
  if (year > 2107) return kLatest;
  const std::uint32_t date = static_cast<std::uint32_t>(year - 1980) << 9 |
                             static_cast<std::uint32_t>(local.tm_mon + 1) << 5 |
                             static_cast<std::uint32_t>(local.tm_mday);
  const std::uint32_t time = static_cast<std::uint32_t>(local.tm_hour) << 11 |
                             static_cast<std::uint32_t>(local.tm_min) << 5 |
                             static_cast<std::uint32_t>(local.tm_sec / 2);
  return date << 16 | time;
}

std::int32_t extendedTimestamp(std::int64_t unixSeconds) {
  constexpr std::int64_t kMinimum = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMaximum = std::numeric_limits<std::int32_t>::max();
  std::tm local{};
  if (!os::localTime(unixSeconds, local))
    return unixSeconds < 0 ? 0 : static_cast<std::int32_t>(kMaximum);
  if (local.tm_year + 1900 < 1970) {
    local.tm_year = 70;
    local.tm_mon = 0;
    local.tm_mday = 1;
    unixSeconds = fromLocalTime(local);
  } else if (local.tm_year + 1900 > 2037) {
    local.tm_year = 137;
    local.tm_mon = 11;
    local.tm_mday = 31;
    unixSeconds = fromLocalTime(local);
  }
  if (unixSeconds < kMinimum) return static_cast<std::int32_t>(kMinimum);
  if (unixSeconds > kMaximum) return static_cast<std::int32_t>(kMaximum);
  return static_cast<std::int32_t>(unixSeconds);
}

std::vector<std::uint8_t> localExtraField(std::int64_t modified, std::int64_t accessed,
                                          std::int64_t created) {
  std::vector<std::uint8_t> field;
  appendLittleEndian(field, kExtendedTimestampId, 2);
  appendLittleEndian(field, 13, 2);
  field.push_back(kAllThreeTimes);
  for (std::int64_t time : {modified, accessed, created})
    appendLittleEndian(field, static_cast<std::uint32_t>(extendedTimestamp(time)), 4);
  return field;
}

std::vector<std::uint8_t> centralExtraField(std::int64_t modified) {
  std::vector<std::uint8_t> field;
  appendLittleEndian(field, kExtendedTimestampId, 2);
  appendLittleEndian(field, 5, 2);
  field.push_back(kAllThreeTimes);
  appendLittleEndian(field, static_cast<std::uint32_t>(extendedTimestamp(modified)), 4);
  return field;
}

std::int64_t entryModifiedTime(const std::uint8_t* extra, std::size_t extraSize,
                               std::uint32_t dosDateTime) {
  std::size_t at = 0;
  while (extra && at + 4 <= extraSize) {
    const std::uint32_t id = readLittleEndian(extra + at, 2);
    const std::size_t size = readLittleEndian(extra + at + 2, 2);
    const std::uint8_t* data = extra + at + 4;
    if (at + 4 + size > extraSize) break;
    if (id == kExtendedTimestampId && size >= 5 && (data[0] & 1))
      return static_cast<std::int32_t>(readLittleEndian(data + 1, 4));
    at += 4 + size;
  }
  std::tm local{};
  local.tm_year = static_cast<int>((dosDateTime >> 25) & 0x7F) + 80;
  local.tm_mon = static_cast<int>((dosDateTime >> 21) & 0x0F) - 1;
  local.tm_mday = static_cast<int>((dosDateTime >> 16) & 0x1F);
  local.tm_hour = static_cast<int>((dosDateTime >> 11) & 0x1F);
  local.tm_min = static_cast<int>((dosDateTime >> 5) & 0x3F);
  local.tm_sec = static_cast<int>(dosDateTime & 0x1F) * 2;
  return fromLocalTime(local);
}

}  // namespace vantrel::zip_times
