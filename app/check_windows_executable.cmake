# Checks the Windows executable as it is shipped: it imports system DLLs only,
# and it starts from a folder that holds only it and the game's archive.
#   cmake -DEXECUTABLE=... -DARCHIVE=... -DOBJDUMP=... -DWINE=... -DFOLDER=... -P this
cmake_minimum_required(VERSION 3.25)
set(system_dlls advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt ole32 shell32 user32 uxtheme)

execute_process(COMMAND "${OBJDUMP}" -p "${EXECUTABLE}" OUTPUT_VARIABLE headers
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXECUTABLE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^.]+)\\.[dD][lL][lL]" "\\1" name "${import}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST system_dlls)
    message(FATAL_ERROR "${EXECUTABLE} imports ${import}, not a system DLL")
  endif()
endforeach()
message(STATUS "imports: ${imports}")

file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
file(COPY "${EXECUTABLE}" "${ARCHIVE}" DESTINATION "${FOLDER}")
get_filename_component(name "${EXECUTABLE}" NAME)
set(ENV{VANTREL_EXIT_WHEN_SHOWN} 1)
execute_process(COMMAND "${WINE}" "${name}" WORKING_DIRECTORY "${FOLDER}"
                RESULT_VARIABLE result TIMEOUT 60)
file(REMOVE_RECURSE "${FOLDER}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${name} alone with the archive did not start: ${result}")
endif()
