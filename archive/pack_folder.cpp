// packFolder: writing a folder, or a single file, into a new ZIP archive that
// takes the old archive's place only when it is complete.
#include <minizip/zip.h>

#include <ctime>
#include <vector>

#include "archive/entry_data.h"
#include "archive/paths.h"
#include "archive/zip_archive.h"
#include "archive/zip_io.h"
#include "archive/zip_names.h"
#include "archive/zip_times.h"
#include "os/os.h"

namespace vantrel {
namespace {

constexpr uLong kVersionMadeBy = 0x0B17;
constexpr int kDeflateLevel = 8;
constexpr std::uint32_t kAttributeBitsKept =
    os::kReadOnly | os::kHidden | os::kSystem | os::kArchive;
constexpr std::uint32_t kFileHighBits = 0x8180;
constexpr std::uint32_t kReadOnlyFileHighBits = 0x8100;
constexpr std::uint32_t kDirectoryExternalAttributes = os::kDirectory | (0x41C0u << 16);

struct EntryHeader {
  zip_fileinfo info{};
  std::vector<std::uint8_t> localExtra;
  std::vector<std::uint8_t> centralExtra;
};

// Opens a new entry in zip in raw mode: its data is written as it is, already
// deflated or stored. Level 8 for deflated data makes minizip set general
// purpose bit 1.
bool openEntry(zipFile zip, const Text& name, const EntryHeader& header, bool stored) {
  return zipOpenNewFileInZip4_64(
             zip, name.c_str(), &header.info, header.localExtra.data(),
             static_cast<uInt>(header.localExtra.size()), header.centralExtra.data(),
             static_cast<uInt>(header.centralExtra.size()), /*comment=*/nullptr,
             stored ? 0 : Z_DEFLATED, stored ? 0 : kDeflateLevel, /*raw=*/1, -MAX_WBITS,
             DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, /*password=*/nullptr, /*crcForCrypting=*/0,
             kVersionMadeBy, /*flagBase=*/0, /*zip64=*/0) == ZIP_OK;
}

// Adds the file at path under entry name name.
bool addFile(zipFile zip, const Text& path, const Text& name) {
  os::FileAttributes attributes;
  if (!os::readAttributes(path, attributes)) return false;
  std::unique_ptr<os::File> input = os::openForReading(path);
  if (!input) return false;

  EntryHeader header;
  header.info.dosDate = zip_times::dosDateTime(attributes.modified);
  const std::uint32_t highBits =
      (attributes.bits & os::kReadOnly) ? kReadOnlyFileHighBits : kFileHighBits;
  header.info.external_fa = (attributes.bits & kAttributeBitsKept) | (highBits << 16);
  header.localExtra =
      zip_times::localExtraField(attributes.modified, attributes.accessed, attributes.created);
  header.centralExtra = zip_times::centralExtraField(attributes.modified);
  const bool stored = zip_names::isStoredName(zip_names::lastComponent(path));
  if (!openEntry(zip, name, header, stored)) return false;

  std::uint32_t crc = 0;
  std::uint64_t size = 0;
  const bool ok = entry_data::writeEntry(zip, *input, !stored, crc, size);
  return zipCloseFileInZipRaw64(zip, size, crc) == ZIP_OK && ok;
}

// Adds the entry of a directory; its times are those of the moment it is added.
bool addDirectory(zipFile zip, const Text& name) {
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  EntryHeader header;
  header.info.dosDate = zip_times::dosDateTime(now);
  header.info.external_fa = kDirectoryExternalAttributes;
  header.localExtra = zip_times::localExtraField(now, now, now);
  header.centralExtra = zip_times::centralExtraField(now);
  return openEntry(zip, name, header, /*stored=*/true) &&
         zipCloseFileInZipRaw64(zip, /*uncompressed_size=*/0, /*crc32=*/0) == ZIP_OK;
}

// Adds the files directly inside folder, then each subfolder's directory entry
// followed by its contents, in listing order. relative is folder's entry-name
// prefix ("" or ending with "/"). skip is the archive being written, which
// may lie inside the folder.
bool addFolderContents(zipFile zip, const Text& folder, const Text& relative, const Text& skip) {
  const std::vector<os::FolderEntry> listing = os::listFolder(folder);
  for (const os::FolderEntry& item : listing) {
    const Text path = folder + pathSeparator() + item.name;
    if (item.isFolder || path == skip) continue;
    if (!addFile(zip, path, relative + item.name)) return false;
  }
  for (const os::FolderEntry& item : listing) {
    if (!item.isFolder) continue;
    const Text name = relative + item.name + "/";
    if (!addDirectory(zip, name)) return false;
    if (!addFolderContents(zip, folder + pathSeparator() + item.name, name, skip)) return false;
  }
  return true;
}

// False when archive exists and can't be replaced: a folder or read-only.
bool archiveReplaceable(const Text& archive) {
  os::FileAttributes attributes;
  if (!os::readAttributes(archive, attributes)) return true;  // does not exist yet
  return (attributes.bits & (os::kDirectory | os::kReadOnly)) == 0;
}

}  // namespace

std::int32_t packFolder(const Text& source, const Text& archive) {
  if (source.empty() || !os::pathExists(source)) return -1;
  if (archive.empty()) return 0;
  // A link stays a link: the file it leads to is replaced.
  const os::Path target = os::replacementTarget(archive);
  if (!archiveReplaceable(target)) return 0;

  os::Path temporaryPath;
  std::unique_ptr<os::File> file = os::createTemporaryBeside(target, temporaryPath);
  if (!file) return 0;
  zip_io::Stream stream{file.get()};
  zlib_filefunc64_def functions = zip_io::functionsFor(stream);
  zipFile zip = zipOpen2_64(temporaryPath.c_str(), APPEND_STATUS_CREATE, nullptr, &functions);
  bool ok = zip != nullptr;
  if (ok) {
    ok = os::isFolder(source) ? addFolderContents(zip, source, "", temporaryPath)
                              : addFile(zip, source, zip_names::lastComponent(source));
    ok = zipClose(zip, /*global_comment=*/nullptr) == ZIP_OK && ok;
  }
  ok = ok && !stream.failed && file->flushToDisk();
  ok = file->close() && ok;
  ok = ok && os::replaceWith(temporaryPath, target);
  if (!ok) {
    os::removeFile(temporaryPath);
    return 0;
  }
  // The rename itself reaches the disk only with its folder.
  return os::flushFolderOf(target) ? 1 : 0;
}

}  // namespace vantrel
