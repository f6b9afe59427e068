#include "archive/zip_test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantrel::test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  char name[] = "/tmp/vantrel_archive_test.XXXXXX";
  if (mkdtemp(name)) path_ = name;
  EXPECT_FALSE(path_.empty()) << "mkdtemp failed";
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  // Read-only files and folders must not stop the removal.
  for (const auto& item : fs::recursive_directory_iterator(path_, ignored))
    if (!item.is_symlink())
      fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  ASSERT_TRUE(out.good()) << path;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ByteVector readBytes(const std::string& path) {
  const std::string contents = readFile(path);
  return ByteVector(contents.begin(), contents.end());
}

std::vector<std::string> listTree(const std::string& root) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& item : fs::recursive_directory_iterator(root, error)) {
    std::string relative = fs::relative(item.path(), root).generic_string();
    if (item.is_directory() && !item.is_symlink()) relative += "/";
    paths.push_back(relative);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

namespace {

std::uint32_t littleEndian(const ByteVector& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + i);
  return value;
}

std::string textAt(const ByteVector& bytes, std::size_t at, std::size_t size) {
  EXPECT_LE(at + size, bytes.size());
  if (at + size > bytes.size()) return {};
  return std::string(bytes.begin() + at, bytes.begin() + at + size);
}

void put(ByteVector& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putText(ByteVector& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

}  // namespace

void parseArchive(const ByteVector& bytes, ParsedArchive& parsed) {
  ASSERT_GE(bytes.size(), 22u);
  const std::size_t endAt = bytes.size() - 22;
  ASSERT_EQ(littleEndian(bytes, endAt, 4), 0x06054B50u) << "no end record in the last 22 bytes";
  EndRecord& end = parsed.end;
  end.diskNumber = littleEndian(bytes, endAt + 4, 2);
  end.centralDirectoryDisk = littleEndian(bytes, endAt + 6, 2);
  end.entriesOnDisk = littleEndian(bytes, endAt + 8, 2);
  end.entries = littleEndian(bytes, endAt + 10, 2);
  end.centralDirectorySize = littleEndian(bytes, endAt + 12, 4);
  end.centralDirectoryOffset = littleEndian(bytes, endAt + 16, 4);
  end.commentLength = littleEndian(bytes, endAt + 20, 2);
  ASSERT_EQ(std::size_t{end.centralDirectoryOffset} + end.centralDirectorySize, endAt);

  std::size_t at = end.centralDirectoryOffset;
  for (int i = 0; i < end.entries; ++i) {
    ASSERT_EQ(littleEndian(bytes, at, 4), 0x02014B50u) << "central header " << i;
    CentralHeader c;
    c.versionMadeBy = littleEndian(bytes, at + 4, 2);
    c.versionNeeded = littleEndian(bytes, at + 6, 2);
    c.flags = littleEndian(bytes, at + 8, 2);
    c.method = littleEndian(bytes, at + 10, 2);
    c.dosDateTime = littleEndian(bytes, at + 12, 2) | littleEndian(bytes, at + 14, 2) << 16;
    c.crc = littleEndian(bytes, at + 16, 4);
    c.compressedSize = littleEndian(bytes, at + 20, 4);
    c.uncompressedSize = littleEndian(bytes, at + 24, 4);
    const std::size_t nameSize = littleEndian(bytes, at + 28, 2);
    const std::size_t extraSize = littleEndian(bytes, at + 30, 2);
    const std::size_t commentSize = littleEndian(bytes, at + 32, 2);
    c.diskNumberStart = littleEndian(bytes, at + 34, 2);
    c.internalAttributes = littleEndian(bytes, at + 36, 2);
    c.externalAttributes = littleEndian(bytes, at + 38, 4);
    c.localHeaderOffset = littleEndian(bytes, at + 42, 4);
    c.name = textAt(bytes, at + 46, nameSize);
    const std::string extra = textAt(bytes, at + 46 + nameSize, extraSize);
    c.extra.assign(extra.begin(), extra.end());
    c.comment = textAt(bytes, at + 46 + nameSize + extraSize, commentSize);
    at += 46 + nameSize + extraSize + commentSize;

    const std::size_t l = c.localHeaderOffset;
    ASSERT_EQ(littleEndian(bytes, l, 4), 0x04034B50u) << "local header of " << c.name;
    LocalHeader h;
    h.versionNeeded = littleEndian(bytes, l + 4, 2);
    h.flags = littleEndian(bytes, l + 6, 2);
    h.method = littleEndian(bytes, l + 8, 2);
    h.dosDateTime = littleEndian(bytes, l + 10, 2) | littleEndian(bytes, l + 12, 2) << 16;
    h.crc = littleEndian(bytes, l + 14, 4);
    h.compressedSize = littleEndian(bytes, l + 18, 4);
    h.uncompressedSize = littleEndian(bytes, l + 22, 4);
    const std::size_t localNameSize = littleEndian(bytes, l + 26, 2);
    const std::size_t localExtraSize = littleEndian(bytes, l + 28, 2);
    h.name = textAt(bytes, l + 30, localNameSize);
    const std::string localExtra = textAt(bytes, l + 30 + localNameSize, localExtraSize);
    h.extra.assign(localExtra.begin(), localExtra.end());
    h.dataOffset = l + 30 + localNameSize + localExtraSize;
    parsed.central.push_back(std::move(c));
    parsed.local.push_back(std::move(h));
  }
  ASSERT_EQ(at, endAt);
}

std::uint32_t crc32Of(const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string deflateRaw(const std::string& data) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 8, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, data.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

namespace {
constexpr std::size_t kZerosChunk = 1 << 20;
}

std::string deflatedZeros(std::uint64_t size) {
  // After a full flush a block owes nothing to the data before it, so every
  // whole chunk deflates to the same bytes.
  const std::string zeros(kZerosChunk, '\0');
  std::string out;
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 8, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string buffer(deflateBound(&stream, kZerosChunk) + 64, '\0');
  const auto deflateChunk = [&](std::size_t n, int flush) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    stream.avail_in = static_cast<uInt>(n);
    stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
    stream.avail_out = static_cast<uInt>(buffer.size());
    deflate(&stream, flush);
    EXPECT_EQ(stream.avail_in, 0u);
    return buffer.substr(0, buffer.size() - stream.avail_out);
  };
  std::string chunk;
  std::uint64_t left = size;
  for (bool first = true; left >= kZerosChunk; left -= kZerosChunk, first = false) {
    if (first) chunk = deflateChunk(kZerosChunk, Z_FULL_FLUSH);
    out += chunk;
  }
  out += deflateChunk(static_cast<std::size_t>(left), Z_FINISH);
  deflateEnd(&stream);
  return out;
}

std::uint32_t crc32OfZeros(std::uint64_t size) {
  const std::string zeros(kZerosChunk, '\0');
  uLong crc = crc32(0L, Z_NULL, 0);
  for (std::uint64_t left = size; left > 0;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kZerosChunk));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uInt>(n));
    left -= n;
  }
  return static_cast<std::uint32_t>(crc);
}

ByteVector craftArchive(const std::vector<CraftedEntry>& entries) {
  ByteVector archive;
  ByteVector central;
  for (const CraftedEntry& e : entries) {
    const std::string stored = e.storedBytes ? *e.storedBytes
                               : e.method == 8 ? deflateRaw(e.data)
                                               : e.data;
    const std::uint32_t crc = e.crc.value_or(crc32Of(e.data));
    const std::uint32_t compressed =
        e.compressedSize.value_or(static_cast<std::uint32_t>(stored.size()));
    const std::uint32_t uncompressed =
        e.uncompressedSize.value_or(static_cast<std::uint32_t>(e.data.size()));
    const auto offset = static_cast<std::uint32_t>(archive.size());
    const std::uint32_t dosDateTime = (29u << 9 | 3u << 5 | 2u) << 16;  // 2009-03-02

    put(archive, 0x04034B50, 4);
    put(archive, 20, 2);
    put(archive, e.flags, 2);
    put(archive, e.localMethod.value_or(e.method), 2);
    put(archive, dosDateTime, 4);
    put(archive, crc, 4);
    put(archive, compressed, 4);
    put(archive, uncompressed, 4);
    put(archive, static_cast<std::uint32_t>(e.name.size()), 2);
    put(archive, 0, 2);
    putText(archive, e.name);
    putText(archive, stored);

    put(central, 0x02014B50, 4);
    put(central, e.versionMadeBy, 2);
    put(central, 20, 2);
    put(central, e.flags, 2);
    put(central, e.method, 2);
    put(central, dosDateTime, 4);
    put(central, crc, 4);
    put(central, compressed, 4);
    put(central, uncompressed, 4);
    put(central, static_cast<std::uint32_t>(e.name.size()), 2);
    put(central, 0, 2);  // extra
    put(central, 0, 2);  // comment
    put(central, 0, 2);  // disk
    put(central, 0, 2);  // internal attributes
    put(central, e.externalAttributes, 4);
    put(central, offset, 4);
    putText(central, e.name);
  }
  const auto centralOffset = static_cast<std::uint32_t>(archive.size());
  archive.insert(archive.end(), central.begin(), central.end());
  put(archive, 0x06054B50, 4);
  put(archive, 0, 2);
  put(archive, 0, 2);
  put(archive, static_cast<std::uint32_t>(entries.size()), 2);
  put(archive, static_cast<std::uint32_t>(entries.size()), 2);
  put(archive, static_cast<std::uint32_t>(central.size()), 4);
  put(archive, centralOffset, 4);
  put(archive, 0, 2);
  return archive;
}

}  // namespace vantrel::test
