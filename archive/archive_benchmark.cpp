// Packing and unpacking the working folder, next to zlib alone on the same
// bytes, which is the floor the archive code adds its headers and files to.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <string>

#include "archive/zip_archive.h"
#include "os/os.h"
#include "text/text.h"

namespace vantrel {
namespace {

// A scratch folder with the working folder (the sample text as VUVazur.dat)
// and the packed archive.
struct Fixture {
  Fixture() {
    char name[] = "/tmp/vantrel_archive_benchmark.XXXXXX";
    root = mkdtemp(name) ? name : "";
    folder = root + "/VUVazur.dat";
    archive = root + "/game.dat";
    text = readWholeFile(VANTREL_DATA_DIR "/VUVazur.txt");
    os::createFolder(folder);
    writeWholeFile(folder + "/VUVazur.dat", text, false);
    packFolder(folder, archive);
  }
  ~Fixture() {
    for (const std::string& file : {folder + "/VUVazur.dat", archive}) os::removeFile(file);
    rmdir(folder.c_str());
    rmdir(root.c_str());
  }
  std::string root, folder, archive;
  Bytes text;
};

Fixture& fixture() {
  static Fixture instance;
  return instance;
}

void BM_PackFolder(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    if (packFolder(f.folder, f.archive) != 1) state.SkipWithError("packing failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
}

void BM_UnpackArchive(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    if (unpackArchive(f.archive, f.folder) != 1) state.SkipWithError("unpacking failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
}

void BM_ZlibCompressLevel8(benchmark::State& state) {
  Fixture& f = fixture();
  Bytes compressed(compressBound(f.text.size()));
  for (auto _ : state) {
    uLongf size = compressed.size();
    if (compress2(compressed.data(), &size, f.text.data(), f.text.size(), 8) != Z_OK)
      state.SkipWithError("compress2 failed");
    benchmark::DoNotOptimize(compressed.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
}

void BM_ZlibUncompress(benchmark::State& state) {
  Fixture& f = fixture();
  Bytes compressed(compressBound(f.text.size()));
  uLongf compressedSize = compressed.size();
  compress2(compressed.data(), &compressedSize, f.text.data(), f.text.size(), 8);
  Bytes text(f.text.size());
  for (auto _ : state) {
    uLongf size = text.size();
    if (uncompress(text.data(), &size, compressed.data(), compressedSize) != Z_OK)
      state.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
}

// The same work with zlib alone plus the file writes that any packing or
// unpacking does: the result written atomically (synced to disk for the
// archive), and the CRC-32 that ZIP keeps and unpacking verifies.
void BM_ZlibCompressAndWriteArchive(benchmark::State& state) {
  Fixture& f = fixture();
  Bytes compressed(compressBound(f.text.size()));
  for (auto _ : state) {
    uLongf size = compressed.size();
    compress2(compressed.data(), &size, f.text.data(), f.text.size(), 8);
    benchmark::DoNotOptimize(crc32(0L, f.text.data(), static_cast<uInt>(f.text.size())));
    writeWholeFile(f.root + "/zlib.dat", Bytes(compressed.begin(), compressed.begin() + size));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
  os::removeFile(f.root + "/zlib.dat");
}

void BM_ZlibUncompressAndWriteFile(benchmark::State& state) {
  Fixture& f = fixture();
  Bytes compressed(compressBound(f.text.size()));
  uLongf compressedSize = compressed.size();
  compress2(compressed.data(), &compressedSize, f.text.data(), f.text.size(), 8);
  Bytes text(f.text.size());
  for (auto _ : state) {
    uLongf size = text.size();
    uncompress(text.data(), &size, compressed.data(), compressedSize);
    benchmark::DoNotOptimize(crc32(0L, text.data(), static_cast<uInt>(size)));
    writeWholeFile(f.folder + "/VUVazur.dat", text, false);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.text.size()));
}

BENCHMARK(BM_PackFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompressLevel8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompressAndWriteArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompressAndWriteFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
