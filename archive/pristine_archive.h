// The unedited rules archive that the editor carries inside itself, embedded at
// build time, and written back over the game's archive on restore.
#pragma once

#include "text/text.h"

namespace vantrel {

const Bytes& pristineArchive();

}  // namespace vantrel
