// Unpacking arbitrary bytes as the game's archive into a fresh folder: no
// crash, no hang, and nothing written outside that folder.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "archive/zip_archive.h"

namespace fs = std::filesystem;

namespace {

// One scratch folder for the whole run: the archive, the destination, and a
// folder beside the destination that must stay as it is.
struct Scratch {
  Scratch() {
    char name[] = "/tmp/vantrel_unpack_fuzz.XXXXXX";
    if (!mkdtemp(name)) std::abort();
    root = name;
    fs::create_directory(root / "beside");
    std::ofstream(root / "beside" / "victim.txt") << "untouched";
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
};

void expect(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  const fs::path archive = scratch.root / "VUVazur.dat";
  const fs::path destination = scratch.root / "working";
  std::ofstream(archive, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  const std::int32_t result = vantrel::unpackArchive(archive.string(), destination.string());
  expect(result == 0 || result == 1);

  // Only the archive, the destination and the untouched folder beside it.
  std::size_t entries = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch.root)) {
    ++entries;
    const fs::path name = entry.path().filename();
    expect(name == "VUVazur.dat" || name == "working" || name == "beside");
  }
  expect(entries == 3);
  expect(fs::is_directory(fs::symlink_status(destination)));
  std::size_t beside = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch.root / "beside")) {
    expect(entry.path().filename() == "victim.txt" && entry.file_size() == 9);
    ++beside;
  }
  expect(beside == 1);
  // Nothing unpacked is a link that could lead out of the destination.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(destination)) {
    expect(!entry.is_symlink());
  }
  fs::remove_all(destination);
  return 0;
}
