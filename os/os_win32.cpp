// The Windows side of the platform interface, with the ANSI (...A) calls and
// char paths in the ANSI code page.
//
// Sharing modes do the work that POSIX leaves to convention: a file opened for
// reading lets others read but not write it, and a file opened for writing is
// held by this process alone. Paths are cut at backslashes, but a 0x5C that is
// the trail byte of a double-byte character (code pages 932, 936, 949, 950) is
// part of that character, never a separator.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // GetFinalPathNameByHandleA
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// shlobj.h needs the full windows.h of above first.
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <ctime>

#include "os/os.h"

namespace vantrel::os {
namespace {

// The one place that looks at GetLastError(): true when the last call failed
// only because a file of that name already exists.
bool failedBecauseNameTaken() {
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

class Win32File final : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { close(); }

  std::int64_t read(void* buffer, std::int64_t size) override {
    if (!isOpen() || size < 0) return -1;
    // ReadFile takes a 32-bit count; a short read is allowed by the contract.
    const DWORD wanted = static_cast<DWORD>(size > kMaxChunk ? kMaxChunk : size);
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr)) return -1;
    return got;
  }

  bool write(const void* buffer, std::int64_t size) override {
    if (!isOpen() || size < 0) return false;
    const char* next = static_cast<const char*>(buffer);
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(size > kMaxChunk ? kMaxChunk : size);
      DWORD written = 0;
      if (!WriteFile(handle_, next, chunk, &written, nullptr) || written == 0) return false;
      next += written;
      size -= written;
    }
    return true;
  }

  bool seek(std::int64_t offset, int origin) override {
    DWORD method = FILE_BEGIN;
    if (origin == SEEK_CUR) {
      method = FILE_CURRENT;
    } else if (origin == SEEK_END) {
      method = FILE_END;
    } else if (origin != SEEK_SET) {
      return false;
    }
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return isOpen() && SetFilePointerEx(handle_, distance, nullptr, method);
  }

  std::int64_t tell() override {
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    if (!isOpen() || !SetFilePointerEx(handle_, zero, &position, FILE_CURRENT)) return -1;
    return position.QuadPart;
  }

  std::int64_t size() override {
    LARGE_INTEGER size;
    if (!isOpen() || !GetFileSizeEx(handle_, &size)) return -1;
    return size.QuadPart;
  }

  bool flushToDisk() override { return isOpen() && FlushFileBuffers(handle_); }

  bool close() override {
    if (!isOpen()) return true;
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  static constexpr std::int64_t kMaxChunk = 1 << 30;
  bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  HANDLE handle_;
};

std::unique_ptr<File> wrap(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(handle);
}

// The index of the last separator of path, skipping trail bytes of double-byte
// characters; npos when there is none.
std::size_t lastSeparator(const Path& path) {
  std::size_t found = Path::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (isLeadByte(path[i]) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\') {
      found = i;
    }
  }
  return found;
}

bool endsWithSeparator(const Path& path) {
  return !path.empty() && lastSeparator(path) == path.size() - 1;
}

// FILETIME counts 100 ns steps since 1601-01-01; Unix time seconds since 1970.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;

std::int64_t unixSecondsOf(const FILETIME& time) {
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                time.dwLowDateTime) -
      kTicksFrom1601To1970;
  // Rounds toward the past, also before 1970.
  const std::int64_t seconds = ticks / kTicksPerSecond;
  return (ticks % kTicksPerSecond < 0) ? seconds - 1 : seconds;
}

FILETIME fileTimeOf(std::int64_t unixSeconds) {
  const auto ticks =
      static_cast<std::uint64_t>(unixSeconds * kTicksPerSecond + kTicksFrom1601To1970);
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

// A folder of the shell's table, without creating it when missing.
Path shellFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return {};
  return buffer;
}

// A folder asked for with a call that returns the path's length, 0 on failure
// and the size needed when the buffer is too small (then the buffer holds no
// path, so that counts as a failure too).
template <typename Call>
Path folderFromCall(Call call) {
  char buffer[MAX_PATH] = {};
  const UINT length = static_cast<UINT>(call(buffer, static_cast<UINT>(MAX_PATH)));
  if (length == 0 || length >= MAX_PATH) return {};
  return Path(buffer, length);
}

// What the name of every temporary file made for target begins with.
Path temporaryPrefix(const Path& name) { return "~" + name + ".tmp-"; }

class Win32FileLock final : public FileLock {
 public:
  explicit Win32FileLock(HANDLE handle) : handle_(handle) {}
  ~Win32FileLock() override { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

}  // namespace

char separator() { return '\\'; }

bool isLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

LocalCharacter decodeLocalCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  // The shortest run of bytes that the code page takes as one character: one
  // or two bytes in the ANSI code pages, up to four where it is UTF-8.
  for (std::size_t length = 1; length <= 4 && length <= text.size(); ++length) {
    wchar_t units[2] = {};
    const int count = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                          static_cast<int>(length), units, 2);
    if (count == 1 && (units[0] < 0xD800 || units[0] > 0xDFFF)) {
      return {units[0], length};
    }
    if (count == 2 && IS_SURROGATE_PAIR(units[0], units[1])) {
      return {0x10000 + ((char32_t{units[0]} - 0xD800) << 10) + (units[1] - 0xDC00), length};
    }
  }
  return {kReplacementCharacter, 1};
}

std::string encodeLocalCharacter(char32_t codePoint) {
  if (codePoint == 0 || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return {};
  }
  wchar_t units[2] = {};
  int count = 1;
  if (codePoint < 0x10000) {
    units[0] = static_cast<wchar_t>(codePoint);
  } else {
    units[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    count = 2;
  }
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  // The flag asking about a default character is refused for UTF-8.
  const bool utf8 = GetACP() == CP_UTF8;
  const int length =
      WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, units, count, bytes,
                          sizeof bytes, nullptr, utf8 ? nullptr : &usedDefault);
  if (length <= 0 || usedDefault) return {};
  return std::string(bytes, static_cast<std::size_t>(length));
}

std::unique_ptr<File> openForReading(const Path& path) {
  if (path.empty()) return nullptr;
  return wrap(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::unique_ptr<File> createTemporaryBeside(const Path& target, Path& temporaryPath) {
  if (target.empty() || endsWithSeparator(target)) return nullptr;
  static std::atomic<unsigned> counter{0};
  const std::size_t cut = lastSeparator(target);
  const Path folder = cut == Path::npos ? Path() : target.substr(0, cut + 1);
  const Path name = cut == Path::npos ? target : target.substr(cut + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".tmp-%lx-%lx-%x",
                  static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(GetTickCount()), counter++);
    const Path candidate = folder + temporaryPrefix(name) + suffix;
    HANDLE handle = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      temporaryPath = candidate;
      return wrap(handle);
    }
    if (!failedBecauseNameTaken()) return nullptr;
  }
  return nullptr;
}

bool replaceWith(const Path& temporaryPath, const Path& target) {
  if (temporaryPath.empty() || target.empty()) return false;
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  return MoveFileExA(temporaryPath.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool removeFile(const Path& path) { return !path.empty() && DeleteFileA(path.c_str()); }

void removeLeftoverTemporaries(const Path& target) {
  if (target.empty() || endsWithSeparator(target)) return;
  const std::size_t cut = lastSeparator(target);
  const Path folder = cut == Path::npos ? Path() : target.substr(0, cut + 1);
  const Path prefix = temporaryPrefix(cut == Path::npos ? target : target.substr(cut + 1));
  for (const FolderEntry& entry : listFolder(folder.empty() ? Path(".") : folder)) {
    if (entry.isFolder || entry.name.compare(0, prefix.size(), prefix) != 0) continue;
    const Path path = folder + entry.name;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
      continue;
    }
    DeleteFileA(path.c_str());
  }
}

// MoveFileExA with MOVEFILE_WRITE_THROUGH returns only when the rename is on disk.
bool flushFolderOf(const Path& path) { return !path.empty(); }

Path replacementTarget(const Path& path) {
  if (!inspect(path).isSymbolicLink) return path;
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return path;
  char buffer[MAX_PATH] = {};
  const DWORD length =
      GetFinalPathNameByHandleA(handle, buffer, MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(handle);
  if (length == 0 || length >= MAX_PATH) return path;
  Path target(buffer, length);
  // The answer has the \\?\ form; the ...A calls take the plain one.
  const Path longForm = "\\\\?\\";
  const Path longUnc = "\\\\?\\UNC\\";
  if (target.compare(0, longUnc.size(), longUnc) == 0)
    return "\\\\" + target.substr(longUnc.size());
  if (target.compare(0, longForm.size(), longForm) == 0) return target.substr(longForm.size());
  return target;
}

std::unique_ptr<FileLock> lockFile(const Path& path, LockRefusal& refusal) {
  refusal = LockRefusal::Failed;
  if (path.empty() || inspect(path).isSymbolicLink) return nullptr;
  // No sharing at all: while this handle is open, no one else can open the file.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_SHARING_VIOLATION) refusal = LockRefusal::HeldElsewhere;
    return nullptr;
  }
  refusal = LockRefusal::None;
  return std::make_unique<Win32FileLock>(handle);
}

PathFacts inspect(const Path& path) {
  PathFacts facts;
  if (path.empty()) return facts;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return facts;
  facts.exists = true;
  facts.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  // Symbolic links and junctions are both reparse points.
  facts.isSymbolicLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  return facts;
}

bool pathExists(const Path& path) { return inspect(path).exists; }

bool isFolder(const Path& path) { return inspect(path).isFolder; }

bool createFolder(const Path& path) {
  return !path.empty() && CreateDirectoryA(path.c_str(), nullptr);
}

bool createPrivateFolder(const Path& path) { return createFolder(path); }

bool removeFolder(const Path& path) { return !path.empty() && RemoveDirectoryA(path.c_str()); }

std::vector<FolderEntry> listFolder(const Path& path) {
  std::vector<FolderEntry> entries;
  if (path.empty()) return entries;
  const Path pattern = path + (endsWithSeparator(path) ? "*" : "\\*");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

bool readAttributes(const Path& path, FileAttributes& attributes) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    return false;
  }
  attributes = {};
  attributes.bits = data.dwFileAttributes & (kReadOnly | kHidden | kSystem | kDirectory | kArchive);
  attributes.modified = unixSecondsOf(data.ftLastWriteTime);
  attributes.accessed = unixSecondsOf(data.ftLastAccessTime);
  attributes.created = unixSecondsOf(data.ftCreationTime);
  return true;
}

bool setAttributesNormal(const Path& path) {
  return !path.empty() && SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool setModifiedTime(const Path& path, std::int64_t unixSeconds) {
  if (path.empty()) return false;
  // Backup semantics let the handle name a folder too.
  HANDLE handle = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const FILETIME time = fileTimeOf(unixSeconds);
  const BOOL set = SetFileTime(handle, nullptr, &time, &time);
  CloseHandle(handle);
  return set != FALSE;
}

bool localTime(std::int64_t unixSeconds, std::tm& result) {
  const auto seconds = static_cast<std::time_t>(unixSeconds);
  return localtime_s(&result, &seconds) == 0;
}

Path executablePath() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  // A full buffer means the path was cut short: no path is better than a wrong one.
  if (length == 0 || length >= MAX_PATH) return {};
  return Path(buffer, length);
}

Path systemFolder(int kind) {
  // The shell's folder of each kind of the table; 0 where another call answers.
  static const int kShellFolders[] = {
      0,                       // 0: not asked for here
      CSIDL_PERSONAL,          // 1: documents
      CSIDL_FAVORITES,         // 2: favourites
      CSIDL_DESKTOPDIRECTORY,  // 3: desktop
      CSIDL_FONTS,             // 4: fonts
      CSIDL_STARTMENU,         // 5: start menu
      CSIDL_PROGRAMS,          // 6: start menu programs
      CSIDL_STARTUP,           // 7: startup
      CSIDL_APPDATA,           // 8: application data
      0,                       // 9: Windows directory
      0,                       // 10: system directory
      0,                       // 11: temporary directory
      CSIDL_INTERNET_CACHE,    // 12: internet cache
  };
  switch (kind) {
    case 9:
      return folderFromCall(
          [](LPSTR buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
    case 10:
      return folderFromCall(
          [](LPSTR buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
    case 11:
      return folderFromCall([](LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); });
    default:
      if (kind < 1 || kind > 12) return {};
      return shellFolder(kShellFolders[kind]);
  }
}

}  // namespace vantrel::os
