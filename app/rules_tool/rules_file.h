// Where a command's rules come from and go back to: a game archive (a ZIP
// archive holding the entry VUVazur.dat) or a plain rules text.
#pragma once

#include "text/text.h"

namespace vantrel {

struct RulesFile {
  Text path;
  bool isArchive = false;
  // The archive holds entries besides VUVazur.dat; it is then never replaced,
  // so that none of them is lost.
  bool hasOtherEntries = false;
  Text text;
};

// Reads the rules text of path. False, with a one-line reason, when it can't.
bool readRulesFile(const Text& path, RulesFile& file, Text& error);

// Replaces the rules text of the file atomically. An archive is packed anew
// with the one entry VUVazur.dat, with the same header fields as the editor's
// write-out, after its one-time original copy has been kept. False, with a
// one-line reason, when nothing was written.
bool writeRulesFile(const RulesFile& file, const Text& text, Text& error);

}  // namespace vantrel
