// Streams one entry's data between a file and a ZIP archive: out of an open
// archive, checked against what the archive declares, and into a new entry.
#pragma once

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <cstdint>

#include "os/os.h"

namespace vantrel::entry_data {

struct Declared {
  std::uint32_t method = 0;  // 0 stored, 8 deflated
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t uncompressedSize = 0;
};

// Copies the current entry of zip, opened in raw mode (unzOpenCurrentFile2
// with raw set), to output, inflating deflated data, in a fixed amount of
// memory. False when the data can't be read or decompressed, or when it does
// not come out at exactly the declared sizes and CRC-32 (more data than
// declared included), or when writing fails.
bool copyEntry(unzFile zip, const Declared& declared, os::File& output);

// Writes all of input into the entry just opened in zip in raw mode
// (zipOpenNewFileInZip4_64 with raw set), deflated at level 8 when deflate is
// set and as it is otherwise, in a fixed amount of memory. Raw mode keeps the
// internal attributes at 0, which minizip would otherwise set for text. On
// success crc and size are the input's, for zipCloseFileInZipRaw64.
bool writeEntry(zipFile zip, os::File& input, bool deflate, std::uint32_t& crc,
                std::uint64_t& size);

}  // namespace vantrel::entry_data
