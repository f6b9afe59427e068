// The POSIX side of the platform interface.
//
// POSIX has no mandatory sharing modes: a reader cannot stop others from
// writing. Whole files are therefore never rewritten in place: every write goes
// to a temporary file that is renamed over the target, so a reader always sees
// either the old or the new contents, whole.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "os/os.h"

namespace vantrel::os {
namespace {

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { close(); }

  std::int64_t read(void* buffer, std::int64_t size) override {
    if (fd_ < 0 || size < 0) return -1;
    for (;;) {
      ssize_t n = ::read(fd_, buffer, static_cast<size_t>(size));
      if (n >= 0) return n;
      if (errno != EINTR) return -1;
    }
  }

  bool write(const void* buffer, std::int64_t size) override {
    if (fd_ < 0 || size < 0) return false;
    const char* next = static_cast<const char*>(buffer);
    while (size > 0) {
      ssize_t n = ::write(fd_, next, static_cast<size_t>(size));
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      next += n;
      size -= n;
    }
    return true;
  }

  bool seek(std::int64_t offset, int origin) override {
    return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), origin) >= 0;
  }

  std::int64_t tell() override { return fd_ < 0 ? -1 : ::lseek(fd_, 0, SEEK_CUR); }

  std::int64_t size() override {
    struct stat facts;
    if (fd_ < 0 || ::fstat(fd_, &facts) != 0) return -1;
    return facts.st_size;
  }

  bool flushToDisk() override { return fd_ >= 0 && ::fsync(fd_) == 0; }

  bool close() override {
    if (fd_ < 0) return true;
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

std::string folderOf(const Path& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const Path& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// An XDG base folder: the variable when set to an absolute path, else $HOME + fallback.
std::string xdgFolder(const char* variable, const char* fallbackUnderHome) {
  std::string value = environment(variable);
  if (!value.empty() && value[0] == '/') return value;
  std::string home = environment("HOME");
  if (home.empty()) return {};
  return home + "/" + fallbackUnderHome;
}

// What the name of every temporary file made for target begins with; hidden,
// so that a file manager does not show them.
std::string temporaryPrefix(const Path& target) { return "." + nameOf(target) + ".tmp-"; }

// True when path is a folder of this user's that no one else may enter.
bool isPrivateFolder(const std::string& path) {
  struct stat facts;
  return ::lstat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
         facts.st_uid == ::geteuid() && (facts.st_mode & 077) == 0;
}

// The temporary directory when TMPDIR is unset. The shared /tmp would let
// another user plant the working folder or read this user's rules, so it is
// one of the user's own: $XDG_RUNTIME_DIR when it is private, else a folder
// of mode 0700 in /tmp made for this user alone. Empty when neither is to be had.
std::string privateTemporaryFolder() {
  const std::string runtime = environment("XDG_RUNTIME_DIR");
  if (!runtime.empty() && runtime[0] == '/' && isPrivateFolder(runtime)) return runtime;
  const std::string own = "/tmp/vantrel-editor-" + std::to_string(::geteuid());
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return isPrivateFolder(own) ? own : std::string();
}

class PosixFileLock final : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }  // closing the file releases the lock

 private:
  int fd_;
};

}  // namespace

char separator() { return '/'; }

bool isLeadByte(char) { return false; }

LocalCharacter decodeLocalCharacter(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;  // below it the sequence is overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return {kReplacementCharacter, 1};
  }
  if (text.size() < length) return {kReplacementCharacter, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kReplacementCharacter, 1};
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) {
    return {kReplacementCharacter, 1};
  }
  return {codePoint, length};
}

std::string encodeLocalCharacter(char32_t codePoint) {
  const auto unit = [](char32_t bits) { return static_cast<char>(bits); };
  if (codePoint == 0 || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return {};
  }
  if (codePoint < 0x80) return std::string(1, unit(codePoint));
  if (codePoint < 0x800) return {unit(0xC0 | codePoint >> 6), unit(0x80 | (codePoint & 0x3F))};
  if (codePoint < 0x10000) {
    return {unit(0xE0 | codePoint >> 12), unit(0x80 | (codePoint >> 6 & 0x3F)),
            unit(0x80 | (codePoint & 0x3F))};
  }
  return {unit(0xF0 | codePoint >> 18), unit(0x80 | (codePoint >> 12 & 0x3F)),
          unit(0x80 | (codePoint >> 6 & 0x3F)), unit(0x80 | (codePoint & 0x3F))};
}

std::unique_ptr<File> openForReading(const Path& path) {
  if (path.empty()) return nullptr;
  // O_NONBLOCK: opening a FIFO would otherwise wait for a writer forever.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat facts;
  if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<File> createTemporaryBeside(const Path& target, Path& temporaryPath) {
  if (target.empty()) return nullptr;
  static std::atomic<unsigned> counter{0};
  const std::string folder = folderOf(target);
  const std::string prefix = (folder == "/" ? "" : folder) + "/" + temporaryPrefix(target);
  const auto clock =
      static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "%ld-%lx-%u", static_cast<long>(::getpid()),
                  clock & 0xFFFFFFul, counter++);
    std::string candidate = prefix + suffix;
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      temporaryPath = candidate;
      return std::make_unique<PosixFile>(fd);
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

bool replaceWith(const Path& temporaryPath, const Path& target) {
  if (temporaryPath.empty() || target.empty()) return false;
  struct stat facts;
  if (::lstat(target.c_str(), &facts) == 0) {
    if (S_ISDIR(facts.st_mode)) return false;
    // A file without its owner's write bit is read-only, also for root.
    if (S_ISREG(facts.st_mode)) {
      if ((facts.st_mode & S_IWUSR) == 0) return false;
      ::chmod(temporaryPath.c_str(), facts.st_mode & 07777);
    }
  }
  return ::rename(temporaryPath.c_str(), target.c_str()) == 0;
}

bool removeFile(const Path& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

void removeLeftoverTemporaries(const Path& target) {
  if (target.empty()) return;
  const std::string folder = folderOf(target);
  const std::string prefix = temporaryPrefix(target);
  for (const FolderEntry& entry : listFolder(folder)) {
    if (entry.isFolder || entry.name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = (folder == "/" ? "" : folder) + "/" + entry.name;
    struct stat facts;
    if (::lstat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode)) ::unlink(path.c_str());
  }
}

bool flushFolderOf(const Path& path) {
  if (path.empty()) return false;
  const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  return ::close(fd) == 0 && flushed;
}

Path replacementTarget(const Path& path) {
  constexpr int kMostLinks = 40;  // as the kernel's own limit on a chain
  Path current = path;
  for (int hop = 0; hop < kMostLinks; ++hop) {
    struct stat facts;
    if (current.empty() || ::lstat(current.c_str(), &facts) != 0 || !S_ISLNK(facts.st_mode)) {
      return current;
    }
    char buffer[4096];
    const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
    if (n <= 0 || n == static_cast<ssize_t>(sizeof buffer)) return path;
    const Path next(buffer, static_cast<size_t>(n));
    current = next[0] == '/' ? next : folderOf(current) + "/" + next;
  }
  return path;
}

std::unique_ptr<FileLock> lockFile(const Path& path, LockRefusal& refusal) {
  refusal = LockRefusal::Failed;
  if (path.empty()) return nullptr;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return nullptr;
  struct stat facts;
  if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) refusal = LockRefusal::HeldElsewhere;
    ::close(fd);
    return nullptr;
  }
  refusal = LockRefusal::None;
  return std::make_unique<PosixFileLock>(fd);
}

PathFacts inspect(const Path& path) {
  PathFacts result;
  struct stat facts;
  if (path.empty() || ::lstat(path.c_str(), &facts) != 0) return result;
  result.exists = true;
  result.isFolder = S_ISDIR(facts.st_mode);
  result.isSymbolicLink = S_ISLNK(facts.st_mode);
  result.ownedByOtherUser = facts.st_uid != ::geteuid();
  return result;
}

bool pathExists(const Path& path) {
  struct stat facts;
  return !path.empty() && ::stat(path.c_str(), &facts) == 0;
}

bool isFolder(const Path& path) {
  struct stat facts;
  return !path.empty() && ::stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
}

bool createFolder(const Path& path) { return !path.empty() && ::mkdir(path.c_str(), 0777) == 0; }

bool createPrivateFolder(const Path& path) {
  return !path.empty() && ::mkdir(path.c_str(), 0700) == 0;
}

bool removeFolder(const Path& path) { return !path.empty() && ::rmdir(path.c_str()) == 0; }

std::vector<FolderEntry> listFolder(const Path& path) {
  std::vector<FolderEntry> entries;
  DIR* folder = path.empty() ? nullptr : ::opendir(path.c_str());
  if (!folder) return entries;
  while (const dirent* entry = ::readdir(folder)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isSubfolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat facts;
      isSubfolder = ::lstat((path + "/" + name).c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
    }
    entries.push_back({std::move(name), isSubfolder});
  }
  ::closedir(folder);
  return entries;
}

bool readAttributes(const Path& path, FileAttributes& attributes) {
  struct stat facts;
  if (path.empty() || ::stat(path.c_str(), &facts) != 0) return false;
  attributes = {};
  if (S_ISDIR(facts.st_mode)) {
    attributes.bits = kDirectory;
  } else {
    // Windows marks every newly written file for archiving; so do we.
    attributes.bits = kArchive;
    if ((facts.st_mode & S_IWUSR) == 0) attributes.bits |= kReadOnly;
  }
  attributes.modified = facts.st_mtime;
  attributes.accessed = facts.st_atime;
  attributes.created = facts.st_ctime;  // POSIX keeps no portable birth time
  return true;
}

bool setAttributesNormal(const Path& path) {
  struct stat facts;
  if (path.empty() || ::stat(path.c_str(), &facts) != 0) return false;
  if (facts.st_mode & S_IWUSR) return true;
  return ::chmod(path.c_str(), (facts.st_mode & 07777) | S_IWUSR) == 0;
}

bool setModifiedTime(const Path& path, std::int64_t unixSeconds) {
  if (path.empty()) return false;
  struct timespec times[2];
  times[0].tv_sec = static_cast<time_t>(unixSeconds);
  times[0].tv_nsec = 0;
  times[1] = times[0];
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool localTime(std::int64_t unixSeconds, std::tm& result) {
  time_t seconds = static_cast<time_t>(unixSeconds);
  return ::localtime_r(&seconds, &result) != nullptr;
}

Path executablePath() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return Path(buffer, static_cast<size_t>(n));
}

Path systemFolder(int kind) {
  switch (kind) {
    case 1:
      return xdgFolder("XDG_DOCUMENTS_DIR", "Documents");
    case 3:
      return xdgFolder("XDG_DESKTOP_DIR", "Desktop");
    case 4: {
      std::string data = xdgFolder("XDG_DATA_HOME", ".local/share");
      return data.empty() ? data : data + "/fonts";
    }
    case 5:
    case 6: {
      std::string data = xdgFolder("XDG_DATA_HOME", ".local/share");
      return data.empty() ? data : data + "/applications";
    }
    case 7: {
      std::string config = xdgFolder("XDG_CONFIG_HOME", ".config");
      return config.empty() ? config : config + "/autostart";
    }
    case 8:
      return xdgFolder("XDG_CONFIG_HOME", ".config");
    case 11: {
      std::string temporary = environment("TMPDIR");
      return temporary.empty() ? privateTemporaryFolder() : temporary;
    }
    case 12:
      return xdgFolder("XDG_CACHE_HOME", ".cache");
    default:  // favourites (2), the Windows and system directories (9, 10): none here
      return {};
  }
}

}  // namespace vantrel::os
