#include "archive/entry_data.h"

#include <zlib.h>

#include <array>

namespace vantrel::entry_data {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
using Buffer = std::array<std::uint8_t, kBufferSize>;

// Running totals of what was written, compared with the declared values at the end.
struct Output {
  os::File& file;
  std::uint64_t size = 0;
  uLong crc = crc32(0L, Z_NULL, 0);

  bool write(const std::uint8_t* data, std::size_t n, std::uint64_t limit) {
    if (n == 0) return true;
    if (n > limit - size) return false;  // more than declared
    size += n;
    crc = crc32(crc, data, static_cast<uInt>(n));
    return file.write(data, static_cast<std::int64_t>(n));
  }
};

// Reads the next raw bytes of the current entry: their count, 0 at the end,
// -1 on error.
int readRaw(unzFile zip, Buffer& buffer) {
  return unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
}

bool copyStored(unzFile zip, const Declared& declared, Output& output) {
  if (declared.compressedSize != declared.uncompressedSize) return false;
  Buffer buffer;
  for (;;) {
    const int n = readRaw(zip, buffer);
    if (n < 0) return false;
    if (n == 0) return true;
    if (!output.write(buffer.data(), static_cast<std::size_t>(n), declared.uncompressedSize))
      return false;
  }
}

bool copyDeflated(unzFile zip, const Declared& declared, Output& output) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  Buffer input;
  Buffer inflated;
  bool ended = false;
  bool ok = true;
  while (ok && !ended) {
    const int n = readRaw(zip, input);
    if (n <= 0) {
      ok = false;  // read error, or the data ran out before the deflate stream ended
      break;
    }
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(n);
    // Inflate until this input is used up and zlib holds no more output back.
    do {
      stream.next_out = inflated.data();
      stream.avail_out = static_cast<uInt>(inflated.size());
      const int status = inflate(&stream, Z_NO_FLUSH);
      if (status == Z_STREAM_END) {
        ended = true;
      } else if (status == Z_BUF_ERROR) {
        // No progress possible: fine when it only wants more input.
        ok = stream.avail_in == 0;
      } else if (status != Z_OK) {
        ok = false;
      }
      const std::size_t produced = inflated.size() - stream.avail_out;
      ok = ok && output.write(inflated.data(), produced, declared.uncompressedSize);
    } while (ok && !ended && (stream.avail_in > 0 || stream.avail_out == 0));
  }
  // Compressed bytes after the end of the deflate stream disagree with the
  // declared compressed size.
  if (ok && stream.avail_in > 0) ok = false;
  if (ok) ok = readRaw(zip, input) == 0;
  inflateEnd(&stream);
  return ok;
}

constexpr int kDeflateLevel = 8;

// Deflates pieces of input into zip; finish ends the deflate stream.
bool deflateInto(zipFile zip, z_stream& stream, const std::uint8_t* data, std::size_t n,
                 bool finish, Buffer& deflated) {
  stream.next_in = const_cast<std::uint8_t*>(data);
  stream.avail_in = static_cast<uInt>(n);
  for (;;) {
    stream.next_out = deflated.data();
    stream.avail_out = static_cast<uInt>(deflated.size());
    const int status = deflate(&stream, finish ? Z_FINISH : Z_NO_FLUSH);
    if (status == Z_STREAM_ERROR) return false;
    const std::size_t produced = deflated.size() - stream.avail_out;
    if (produced > 0 &&
        zipWriteInFileInZip(zip, deflated.data(), static_cast<unsigned>(produced)) != ZIP_OK)
      return false;
    if (finish ? status == Z_STREAM_END : (stream.avail_in == 0 && stream.avail_out > 0))
      return true;
  }
}

}  // namespace

bool writeEntry(zipFile zip, os::File& input, bool deflate, std::uint32_t& crc,
                std::uint64_t& size) {
  z_stream stream{};
  if (deflate && deflateInit2(&stream, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, DEF_MEM_LEVEL,
                              Z_DEFAULT_STRATEGY) != Z_OK)
    return false;
  Buffer buffer;
  Buffer deflated;
  uLong runningCrc = crc32(0L, Z_NULL, 0);
  size = 0;
  bool ok = true;
  for (;;) {
    const std::int64_t n = input.read(buffer.data(), static_cast<std::int64_t>(buffer.size()));
    if (n < 0) {
      ok = false;
      break;
    }
    const auto count = static_cast<std::size_t>(n);
    runningCrc = crc32(runningCrc, buffer.data(), static_cast<uInt>(count));
    size += count;
    if (deflate)
      ok = deflateInto(zip, stream, buffer.data(), count, /*finish=*/n == 0, deflated);
    else if (count > 0)
      ok = zipWriteInFileInZip(zip, buffer.data(), static_cast<unsigned>(count)) == ZIP_OK;
    if (!ok || n == 0) break;
  }
  if (deflate) deflateEnd(&stream);
  crc = static_cast<std::uint32_t>(runningCrc);
  return ok;
}

bool copyEntry(unzFile zip, const Declared& declared, os::File& output) {
  Output totals{output};
  bool ok = false;
  if (declared.method == 0)
    ok = copyStored(zip, declared, totals);
  else if (declared.method == Z_DEFLATED)
    ok = copyDeflated(zip, declared, totals);
  return ok && totals.size == declared.uncompressedSize && totals.crc == declared.crc;
}

}  // namespace vantrel::entry_data
