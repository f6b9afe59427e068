#include "archive/zip_io.h"

#include <cstdio>
#include <limits>

namespace vantrel::zip_io {
namespace {

Stream& streamOf(voidpf opaque) { return *static_cast<Stream*>(opaque); }

voidpf ZCALLBACK openStream(voidpf opaque, const void* /*name*/, int /*mode*/) {
  return streamOf(opaque).file ? opaque : nullptr;
}

uLong ZCALLBACK readStream(voidpf opaque, voidpf /*stream*/, void* buffer, uLong size) {
  Stream& stream = streamOf(opaque);
  const std::int64_t n = stream.file->read(buffer, static_cast<std::int64_t>(size));
  if (n < 0) {
    stream.failed = true;
    return 0;
  }
  return static_cast<uLong>(n);
}

uLong ZCALLBACK writeStream(voidpf opaque, voidpf /*stream*/, const void* buffer, uLong size) {
  Stream& stream = streamOf(opaque);
  if (!stream.file->write(buffer, static_cast<std::int64_t>(size))) {
    stream.failed = true;
    return 0;
  }
  return size;
}

ZPOS64_T ZCALLBACK tellStream(voidpf opaque, voidpf /*stream*/) {
  const std::int64_t position = streamOf(opaque).file->tell();
  return position < 0 ? std::numeric_limits<ZPOS64_T>::max() : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK seekStream(voidpf opaque, voidpf /*stream*/, ZPOS64_T offset, int origin) {
  Stream& stream = streamOf(opaque);
  int whence = SEEK_SET;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      whence = SEEK_SET;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      whence = SEEK_CUR;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      whence = SEEK_END;
      break;
    default:
      return -1;
  }
  // minizip passes negative offsets for SEEK_CUR/SEEK_END as wrapped unsigned values.
  if (!stream.file->seek(static_cast<std::int64_t>(offset), whence)) {
    stream.failed = true;
    return -1;
  }
  return 0;
}

int ZCALLBACK closeStream(voidpf /*opaque*/, voidpf /*stream*/) { return 0; }

int ZCALLBACK errorOfStream(voidpf opaque, voidpf /*stream*/) {
  return streamOf(opaque).failed ? 1 : 0;
}

}  // namespace

zlib_filefunc64_def functionsFor(Stream& stream) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = openStream;
  functions.zread_file = readStream;
  functions.zwrite_file = writeStream;
  functions.ztell64_file = tellStream;
  functions.zseek64_file = seekStream;
  functions.zclose_file = closeStream;
  functions.zerror_file = errorOfStream;
  functions.opaque = &stream;
  return functions;
}

}  // namespace vantrel::zip_io
