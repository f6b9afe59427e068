# Cross build for 64-bit Windows with MinGW-w64 (the posix-threads compilers,
# which GoogleTest needs), running the test executables under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_PREFIX}-windres)

# Libraries and headers of the target (zlib among them) come from the MinGW
# root only; programs run at build time come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config too looks at the target's libraries only, so that no host
# library (minizip) is taken for a Windows one.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${VANTREL_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Everything linked statically, so that Wine needs none of MinGW's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(VANTREL_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
