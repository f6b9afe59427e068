// Helpers for the archive tests: scratch folders, a reader of ZIP headers that
// works on the raw bytes, and a writer of hand-made (also broken) archives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::test {

using ByteVector = std::vector<std::uint8_t>;

// A fresh folder under /tmp, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

void writeFile(const std::string& path, const std::string& contents);
std::string readFile(const std::string& path);  // empty when missing
ByteVector readBytes(const std::string& path);
// Every file and folder below root, as relative paths ("a/" for folders), sorted.
std::vector<std::string> listTree(const std::string& root);

// The headers of a ZIP archive, read from its bytes.
struct LocalHeader {
  std::uint16_t versionNeeded = 0, flags = 0, method = 0;
  std::uint32_t dosDateTime = 0, crc = 0, compressedSize = 0, uncompressedSize = 0;
  std::string name;
  ByteVector extra;
  std::uint64_t dataOffset = 0;
};
struct CentralHeader {
  std::uint16_t versionMadeBy = 0, versionNeeded = 0, flags = 0, method = 0;
  std::uint32_t dosDateTime = 0, crc = 0, compressedSize = 0, uncompressedSize = 0;
  std::uint16_t diskNumberStart = 0, internalAttributes = 0;
  std::uint32_t externalAttributes = 0, localHeaderOffset = 0;
  std::string name, comment;
  ByteVector extra;
};
struct EndRecord {
  std::uint16_t diskNumber = 0, centralDirectoryDisk = 0, entriesOnDisk = 0, entries = 0;
  std::uint32_t centralDirectorySize = 0, centralDirectoryOffset = 0;
  std::uint16_t commentLength = 0;
};
struct ParsedArchive {
  std::vector<CentralHeader> central;
  std::vector<LocalHeader> local;  // in central directory order
  EndRecord end;
};
// Parses an archive without a comment; a failed ASSERT inside on malformed input.
void parseArchive(const ByteVector& bytes, ParsedArchive& parsed);

// One entry of a hand-made archive. The setters make it unusual or
// inconsistent on purpose: CraftedEntry("a.txt", "data").deflated().withCrc(1).
struct CraftedEntry {
  explicit CraftedEntry(std::string entryName, std::string entryData = "")
      : name(std::move(entryName)), data(std::move(entryData)) {}
  CraftedEntry& deflated() {
    method = 8;
    return *this;
  }
  CraftedEntry& withMethod(std::uint16_t value) {
    method = value;
    return *this;
  }
  CraftedEntry& withFlags(std::uint16_t value) {
    flags = value;
    return *this;
  }
  CraftedEntry& madeOnUnixWithMode(std::uint32_t mode) {
    versionMadeBy = 0x0314;
    externalAttributes = mode << 16;
    return *this;
  }
  CraftedEntry& withCrc(std::uint32_t value) {
    crc = value;
    return *this;
  }
  CraftedEntry& withUncompressedSize(std::uint32_t value) {
    uncompressedSize = value;
    return *this;
  }
  CraftedEntry& withCompressedSize(std::uint32_t value) {
    compressedSize = value;
    return *this;
  }
  CraftedEntry& withLocalMethod(std::uint16_t value) {
    localMethod = value;
    return *this;
  }
  // Stores these bytes (already deflated or not) in place of data's, which
  // then only serves the defaults of the CRC and the uncompressed size.
  CraftedEntry& withStoredBytes(std::string bytes) {
    storedBytes = std::move(bytes);
    return *this;
  }

  std::string name;
  std::string data;
  std::uint16_t method = 0;  // 8: data is deflated here
  std::uint16_t flags = 0;
  std::uint16_t versionMadeBy = 20;
  std::uint32_t externalAttributes = 0;
  std::optional<std::uint32_t> crc;               // default: CRC-32 of data
  std::optional<std::uint32_t> uncompressedSize;  // default: data's size
  std::optional<std::uint32_t> compressedSize;    // default: the stored bytes' size
  std::optional<std::uint16_t> localMethod;       // default: method
  std::optional<std::string> storedBytes;         // default: data, deflated for method 8
};
ByteVector craftArchive(const std::vector<CraftedEntry>& entries);

std::uint32_t crc32Of(const std::string& data);
std::string deflateRaw(const std::string& data);

// A raw deflate stream of size zero bytes and their CRC-32, made without
// holding them all: a large entry that costs little to build.
std::string deflatedZeros(std::uint64_t size);
std::uint32_t crc32OfZeros(std::uint64_t size);

}  // namespace vantrel::test
