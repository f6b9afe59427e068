// The times that ZIP headers carry: the MS-DOS time and date of the headers and
// the extended-timestamp extra field (header ID 0x5455) in Unix seconds.
#pragma once

#include <cstdint>
#include <vector>

namespace vantrel::zip_times {

// The local time of unixSeconds in MS-DOS form, date in the high 16 bits and
// time in the low 16. Times outside 1980..2107 give the nearest end of that range.
std::uint32_t dosDateTime(std::int64_t unixSeconds);

// unixSeconds as the extended-timestamp field writes it: a local-time year
// before 1970 becomes 1 January 1970 and one after 2037 becomes 31 December
// 2037, each at the same local time of day.
std::int32_t extendedTimestamp(std::int64_t unixSeconds);

// The 17-byte extra field of a local header: ID 0x5455, size 13, flags 7, then
// the modification, access and creation times, each clamped as above.
std::vector<std::uint8_t> localExtraField(std::int64_t modified, std::int64_t accessed,
                                          std::int64_t created);
// The 9-byte extra field of a central header: ID 0x5455, size 5, flags 7, then
// the modification time.
std::vector<std::uint8_t> centralExtraField(std::int64_t modified);

// The modification time an entry carries: from its extended-timestamp field
// when extra (a central or local extra field) has one with a modification time,
// otherwise from the MS-DOS time and date read as local time.
std::int64_t entryModifiedTime(const std::uint8_t* extra, std::size_t extraSize,
                               std::uint32_t dosDateTime);

}  // namespace vantrel::zip_times
