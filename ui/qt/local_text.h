// Texts move between the engine and the controls in the system's local 8-bit
// encoding (the ANSI code page on Windows, UTF-8 elsewhere). Bytes that are no
// valid character of that encoding are shown as replacement characters.
#pragma once

#include <QString>

#include "text/text.h"

namespace vantrel {

inline QString fromLocalText(const Text& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// A text holds no zero byte: a pasted zero character ends it, as a zero byte
// ends a text read from a file.
inline Text toLocalText(const QString& text) { return Text(text.toLocal8Bit().constData()); }

}  // namespace vantrel
