# vantrel_minizip_from_source(SOURCE_DIR)
# Builds minizip's reader and writer (ioapi.c, zip.c, unzip.c) from a folder of
# its sources as the static library vantrel_minizip_static, whose headers are
# reached as <minizip/zip.h>, <minizip/unzip.h> and <minizip/ioapi.h>. Used
# where no minizip package exists for the target (the MinGW-w64 cross build);
# scripts/fetch-minizip-source.sh fetches Debian's sources of it.
function(vantrel_minizip_from_source source_dir)
  foreach(file ioapi.c zip.c unzip.c ioapi.h zip.h unzip.h crypt.h)
    if(NOT EXISTS "${source_dir}/${file}")
      message(FATAL_ERROR "minizip sources: ${source_dir}/${file} is missing")
    endif()
  endforeach()
  find_package(ZLIB REQUIRED)

  set(include_dir "${CMAKE_CURRENT_BINARY_DIR}/minizip-include")
  foreach(header ioapi.h zip.h unzip.h)
    configure_file("${source_dir}/${header}" "${include_dir}/minizip/${header}" COPYONLY)
  endforeach()

  add_library(vantrel_minizip_static STATIC
    "${source_dir}/ioapi.c" "${source_dir}/zip.c" "${source_dir}/unzip.c")
  # Both <minizip/zip.h> and <zip.h>, as Debian's minizip package offers them.
  target_include_directories(vantrel_minizip_static
    PUBLIC "${include_dir}" "${include_dir}/minizip"
    PRIVATE "${source_dir}")
  target_link_libraries(vantrel_minizip_static PUBLIC ZLIB::ZLIB)
  # Its warnings are its own; the project's code stays warning-clean.
  target_compile_options(vantrel_minizip_static PRIVATE $<IF:$<C_COMPILER_ID:MSVC>,/w,-w>)
endfunction()
