// unpackArchive: extracting a ZIP archive into a folder, refusing anything that
// would write outside it.
#include <minizip/unzip.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "archive/entry_data.h"
#include "archive/folder_levels.h"
#include "archive/paths.h"
#include "archive/zip_archive.h"
#include "archive/zip_io.h"
#include "archive/zip_names.h"
#include "archive/zip_times.h"
#include "os/os.h"

namespace vantrel {
namespace {

constexpr std::uint32_t kEncryptedFlag = 0x0001;
constexpr std::uint32_t kMadeOnUnix = 3;
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixSymbolicLink = 0120000;

// What the central directory says about one entry.
struct Entry {
  Text name;
  bool isDirectory = false;
  entry_data::Declared declared;
  std::int64_t modified = 0;
};

bool beginsWithLocalHeader(os::File& file) {
  unsigned char signature[4] = {};
  const bool found = file.read(signature, 4) == 4 && signature[0] == 0x50 && signature[1] == 0x4B &&
                     signature[2] == 0x03 && signature[3] == 0x04;
  return file.seek(0, SEEK_SET) && found;
}

// Reads the current entry's central header. False when it can't be read or
// the entry may not be unpacked at all: an unsafe name, encryption, a
// symbolic link, a compression method other than stored or deflated, more
// data than kLargestText, or a folder named as the working file.
bool readEntry(unzFile zip, Entry& entry) {
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
    return false;
  std::vector<char> name(info.size_filename + 1);
  std::vector<std::uint8_t> extra(info.size_file_extra);
  if (unzGetCurrentFileInfo64(zip, &info, name.data(), name.size(), extra.data(), extra.size(),
                              nullptr, 0) != UNZ_OK)
    return false;
  entry.name.assign(name.data(), info.size_filename);
  if (!zip_names::isSafeEntryName(entry.name)) return false;
  if (info.flag & kEncryptedFlag) return false;
  const bool madeOnUnix = (info.version >> 8) == kMadeOnUnix;
  if (madeOnUnix && ((info.external_fa >> 16) & kUnixTypeMask) == kUnixSymbolicLink) return false;
  if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) return false;
  // Checked before inflating: the program can't take in a larger text.
  if (info.uncompressed_size > static_cast<std::uint64_t>(kLargestText)) return false;
  entry.isDirectory = zip_names::isDirectoryName(entry.name);
  // A folder where the working file belongs would make it unusable for good.
  if (entry.isDirectory && zip_names::haveClashingNames({entry.name, rulesFileName()})) return false;
  entry.declared.method = static_cast<std::uint32_t>(info.compression_method);
  entry.declared.crc = static_cast<std::uint32_t>(info.crc);
  entry.declared.compressedSize = info.compressed_size;
  entry.declared.uncompressedSize = info.uncompressed_size;
  entry.modified = zip_times::entryModifiedTime(extra.data(), extra.size(),
                                                static_cast<std::uint32_t>(info.dosDate));
  return true;
}

// Every entry of the central directory, in its order; false when any of them
// can't be read or may not be unpacked, before anything is written.
bool readCentralDirectory(unzFile zip, std::vector<Entry>& entries) {
  int status = unzGoToFirstFile(zip);
  while (status == UNZ_OK) {
    Entry entry;
    if (!readEntry(zip, entry)) return false;
    entries.push_back(std::move(entry));
    status = unzGoToNextFile(zip);
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) return false;
  // Entries that would land on one file or folder: the later one would
  // overwrite the earlier one, or fail half-way through unpacking.
  std::vector<std::string_view> names;
  for (const Entry& entry : entries) names.push_back(entry.name);
  return !zip_names::haveClashingNames(names);
}

// Writes the current entry's data to a temporary file beside target and puts
// it in target's place only when the data came out whole.
bool extractFile(unzFile zip, const Entry& entry, const Text& target) {
  int method = 0;
  int level = 0;
  if (unzOpenCurrentFile2(zip, &method, &level, /*raw=*/1) != UNZ_OK) return false;
  os::Path temporaryPath;
  std::unique_ptr<os::File> output = os::createTemporaryBeside(target, temporaryPath);
  bool ok = output != nullptr && entry_data::copyEntry(zip, entry.declared, *output);
  ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;
  if (!output) return false;
  ok = output->close() && ok;
  // The old file may be read-only, which would stop the replacement.
  if (ok && os::pathExists(target)) os::setAttributesNormal(target);
  ok = ok && os::replaceWith(temporaryPath, target);
  if (!ok) {
    os::removeFile(temporaryPath);
    return false;
  }
  os::setAttributesNormal(target);
  os::setModifiedTime(target, entry.modified);
  return true;
}

bool extractAll(unzFile zip, const std::vector<Entry>& entries, const Text& destination) {
  if (unzGoToFirstFile(zip) != UNZ_OK) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    if (i > 0 && unzGoToNextFile(zip) != UNZ_OK) return false;
    if (!folder_levels::prepareEntryPath(destination, entry.name, entry.isDirectory)) return false;
    if (entry.isDirectory) continue;
    if (!extractFile(zip, entry, zip_names::targetPath(destination, entry.name))) return false;
  }
  return true;
}

}  // namespace

std::int32_t unpackArchive(const Text& archive, const Text& destination) {
  if (archive.empty() || !os::pathExists(archive)) return -1;
  if (destination.empty()) return 0;
  if (!folder_levels::createWithParents(destination)) return 0;
  // Never write through a link, or into another user's folder, planted where
  // the destination should be. (A link to a folder passes the creation above.)
  if (folder_levels::isPlanted(destination)) return 0;

  std::unique_ptr<os::File> file = os::openForReading(archive);
  if (!file || !beginsWithLocalHeader(*file)) return 0;
  zip_io::Stream stream{file.get()};
  zlib_filefunc64_def functions = zip_io::functionsFor(stream);
  unzFile zip = unzOpen2_64(archive.c_str(), &functions);
  if (!zip) return 0;
  std::vector<Entry> entries;
  const bool ok = readCentralDirectory(zip, entries) && extractAll(zip, entries, destination);
  unzClose(zip);
  return ok ? 1 : 0;
}

}  // namespace vantrel
