# Writes the bytes of INPUT as a C++ array into OUTPUT, the definition of
# pristineArchive(). Run at build time: cmake -DINPUT=... -DOUTPUT=... -P this.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
if(byteCount EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty or missing")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Twenty bytes to a line keeps the generated file readable in a diff tool.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
"// Generated from ${INPUT} at build time; do not edit.
#include <cstdint>
#include <cstddef>

namespace vantrel::embedded {

extern const std::uint8_t kPristineArchive[];
extern const std::size_t kPristineArchiveSize;

const std::uint8_t kPristineArchive[] = {
  ${bytes}
};
const std::size_t kPristineArchiveSize = ${byteCount};

}  // namespace vantrel::embedded
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
