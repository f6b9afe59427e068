// Lets minizip read and write through an os::File, so that all file access of
// the ZIP code goes through the platform interface.
#pragma once

#include <minizip/ioapi.h>

#include "os/os.h"

namespace vantrel::zip_io {

// One open file handed to minizip. The caller opens the file, keeps it open
// while minizip works, and closes it afterwards: minizip's close leaves it open.
struct Stream {
  os::File* file = nullptr;
  bool failed = false;  // set by the first read, write or seek that failed
};

// Functions for unzOpen2_64 / zipOpen2_64 that work on stream. Whatever name
// minizip is given to open, it gets stream.
zlib_filefunc64_def functionsFor(Stream& stream);

}  // namespace vantrel::zip_io
