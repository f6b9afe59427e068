// The operating system as the editor sees it: whole files opened with the
// sharing rules the editor needs, temporary files that replace a target
// atomically, folders, file attributes and times, the running executable and
// the special folders. One implementation per platform (os_posix.cpp,
// os_win32.cpp), chosen by CMake; nothing else in the program includes a
// platform header.
//
// Paths are byte strings in the system's 8-bit code page (UTF-8 on POSIX, the
// ANSI code page on Windows), with the platform's own separator.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::os {

using Path = std::string;
using Bytes = std::vector<std::uint8_t>;

// The separator of this platform's paths: '\\' on Windows, '/' elsewhere.
char separator();

// True when byte begins a two-byte character of the system's code page, so
// that the byte after it is part of that character and never a separator
// (Windows: a lead byte of the ANSI code page, e.g. GBK; POSIX paths are
// UTF-8, where a separator byte never lies inside a character: always false).
bool isLeadByte(char byte);

// One character of the system's 8-bit encoding (UTF-8 on POSIX, the ANSI code
// page on Windows) and its Unicode code point.
struct LocalCharacter {
  char32_t codePoint = 0;
  std::size_t length = 0;  // in bytes
};
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character that begins text (which is not empty). Bytes that begin no
// character of the encoding (a stray or cut-off byte) give
// kReplacementCharacter with length 1.
LocalCharacter decodeLocalCharacter(std::string_view text);

// The bytes of codePoint in the encoding; empty when codePoint is no
// character (zero, a surrogate, above U+10FFFF) or, on Windows, when the code
// page has no character for it (no look-alike is put in its place).
std::string encodeLocalCharacter(char32_t codePoint);

// An open file. Closing happens in the destructor if close() was not called.
class File {
 public:
  virtual ~File() = default;
  // Reads up to size bytes; returns the number read, 0 at the end, -1 on error.
  virtual std::int64_t read(void* buffer, std::int64_t size) = 0;
  // Writes all size bytes; returns false on any error (disk full included).
  virtual bool write(const void* buffer, std::int64_t size) = 0;
  // origin: SEEK_SET, SEEK_CUR or SEEK_END. Returns false on error.
  virtual bool seek(std::int64_t offset, int origin) = 0;
  // The current position, or -1 on error.
  virtual std::int64_t tell() = 0;
  // The file's size in bytes, or -1 on error.
  virtual std::int64_t size() = 0;
  // Forces what was written to the disk. Returns false on error.
  virtual bool flushToDisk() = 0;
  // Closes the file; false when closing reported an error.
  virtual bool close() = 0;
};

// Opens an existing file for reading while other processes may read it but
// not write it. Null when it can't be opened (missing, a folder, no access, or
// open for writing elsewhere where the platform can tell).
std::unique_ptr<File> openForReading(const Path& path);

// Creates a new, empty file with a unique name in the folder of target, opened
// for writing by this process alone. On success temporaryPath names it.
// Null when the folder is missing or not writable.
std::unique_ptr<File> createTemporaryBeside(const Path& target, Path& temporaryPath);

// Renames temporaryPath over target, replacing target atomically. Fails, and
// changes nothing, when target is read-only or (on Windows) open in another
// process. The temporary file is left in place on failure: the caller removes it.
bool replaceWith(const Path& temporaryPath, const Path& target);

// Removes a file (not a folder). False when it could not be removed.
bool removeFile(const Path& path);

// Removes the files that createTemporaryBeside made for target and that a
// killed process left behind: only regular files named as it names them.
void removeLeftoverTemporaries(const Path& target);

// Forces the folder holding path to the disk, so that a rename into it
// survives a power loss (POSIX: fsync of the folder; on Windows the rename
// already writes through). False on error.
bool flushFolderOf(const Path& path);

// The file that replacing path should replace: the end of the chain of
// symbolic links at path, so that a link stays a link; path itself when it
// is no link or the chain can't be followed.
Path replacementTarget(const Path& path);

// An exclusive lock on a file, held until the object is destroyed.
class FileLock {
 public:
  virtual ~FileLock() = default;
};
enum class LockRefusal { None, HeldElsewhere, Failed };
// Creates the file if missing and locks it for this process alone (POSIX: an
// advisory lock on it; Windows: the file held open without sharing). Null when
// another process holds it (refusal HeldElsewhere) or it can't be opened or
// locked (Failed). Never follows a symbolic link at path.
std::unique_ptr<FileLock> lockFile(const Path& path, LockRefusal& refusal);

struct PathFacts {
  bool exists = false;
  bool isFolder = false;
  bool isSymbolicLink = false;   // the path itself is a link (never followed here)
  bool ownedByOtherUser = false; // always false on Windows
};
// Facts about path itself, without following a symbolic link at it.
PathFacts inspect(const Path& path);

bool pathExists(const Path& path);
bool isFolder(const Path& path);

// Creates one folder; its parent must exist. True when created.
bool createFolder(const Path& path);
// The same, readable and writable by this user only (POSIX mode 0700; on
// Windows the folder takes its parent's permissions).
bool createPrivateFolder(const Path& path);
// Removes an empty folder. False when it could not be removed.
bool removeFolder(const Path& path);

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};
// The entries of a folder, "." and ".." left out, in the order the file system
// lists them. Empty when the folder can't be read.
std::vector<FolderEntry> listFolder(const Path& path);

// Windows attribute bits, as ZIP external attributes carry them.
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;

struct FileAttributes {
  std::uint32_t bits = 0;          // the kReadOnly ... kArchive bits that apply
  std::int64_t modified = 0;       // Unix seconds
  std::int64_t accessed = 0;
  std::int64_t created = 0;
};
// False when the path can't be examined.
bool readAttributes(const Path& path, FileAttributes& attributes);

// Clears read-only, hidden and system, so that the file can be rewritten.
bool setAttributesNormal(const Path& path);

// Sets a file's last-write (and last-access) time. False on error.
bool setModifiedTime(const Path& path, std::int64_t unixSeconds);

// Local broken-down time of a Unix time. False when it can't be converted.
bool localTime(std::int64_t unixSeconds, std::tm& result);

// The full path of the running executable, or empty.
Path executablePath();

// The folder of a special-folder kind as the system reports it (see
// specialFolderPath in the archive layer for the kinds), without any
// separator added; empty when the system has none or the kind is unknown.
Path systemFolder(int kind);

}  // namespace vantrel::os
