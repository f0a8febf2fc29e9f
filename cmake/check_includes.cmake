# Checks the include lines of every file below ROOT/src against cmake/include_rules.cmake:
#  - a folder includes only from itself and the folders its rule names;
#  - portable files (any name not ending in _win) include neither a Windows header nor a _win
#    header, in src/ and in the host-side tools/, benchmarks/ and tests/unit/ as well.
# Usage: cmake -DROOT=<dir holding src/> [-DSTAMP=<file to touch on success>] -P check_includes.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/include_rules.cmake)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

string(JOIN "|" windows_headers ${PAWLET_WINDOWS_HEADERS})
set(problems)

file(GLOB_RECURSE files RELATIVE ${ROOT} LIST_DIRECTORIES false
  ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/src/*.c
  ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.c
  ${ROOT}/benchmarks/*.h ${ROOT}/benchmarks/*.cpp
  ${ROOT}/tests/unit/*.h ${ROOT}/tests/unit/*.cpp)
list(SORT files)

foreach(file IN LISTS files)
  file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  get_filename_component(stem ${file} NAME_WE)
  set(portable TRUE)
  if(stem MATCHES "_win$")
    set(portable FALSE)
  endif()
  set(folder "")
  if(file MATCHES "^src/([^/]+)/")
    set(folder ${CMAKE_MATCH_1})
    if(NOT DEFINED PAWLET_FOLDER_DEPENDS_${folder})
      list(APPEND problems "${file}: src/${folder}/ has no rule in cmake/include_rules.cmake")
      set(folder "")
    endif()
  endif()
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" target "${line}")
    string(TOLOWER "${target}" target_lower)
    if(portable AND target_lower MATCHES "^(.*/)?(${windows_headers})\\.h$")
      list(APPEND problems "${file}: portable code includes <${target}>")
    endif()
    if(portable AND target MATCHES "_win\\.h$")
      list(APPEND problems "${file}: portable code includes the Win32 header \"${target}\"")
    endif()
    if(folder AND line MATCHES "\"" AND target MATCHES "^([^/]+)/")
      set(used ${CMAKE_MATCH_1})
      if(DEFINED PAWLET_FOLDER_DEPENDS_${used} AND NOT used STREQUAL folder
         AND NOT used IN_LIST PAWLET_FOLDER_DEPENDS_${folder})
        list(APPEND problems "${file}: src/${folder}/ may not include from src/${used}/ (\"${target}\")")
      endif()
    endif()
  endforeach()
endforeach()

if(problems)
  list(LENGTH problems count)
  string(JOIN "\n  " listed ${problems})
  message(FATAL_ERROR "${count} include rule violation(s):\n  ${listed}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
