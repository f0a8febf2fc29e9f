# The names of the picture cursors the program carries, in their order, read from the one table
# that lists them (src/input/embedded_cursors.h); the art tool writes art/cursors/<name>.block.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/input/embedded_cursors.h PAWLET_EMBEDDED_CURSOR_LINES
  REGEX "^ *\\{\"cursor_[a-z_]+\", ")
set(PAWLET_EMBEDDED_CURSOR_NAMES)
foreach(line IN LISTS PAWLET_EMBEDDED_CURSOR_LINES)
  string(REGEX REPLACE "^ *\\{\"(cursor_[a-z_]+)\".*" "\\1" name "${line}")
  list(APPEND PAWLET_EMBEDDED_CURSOR_NAMES ${name})
endforeach()
list(LENGTH PAWLET_EMBEDDED_CURSOR_NAMES count)
if(NOT count EQUAL 12)
  message(FATAL_ERROR "found ${count} embedded cursors in src/input/embedded_cursors.h, expected 12")
endif()
set(PAWLET_EMBEDDED_CURSOR_ART hand.cur)
foreach(name IN LISTS PAWLET_EMBEDDED_CURSOR_NAMES)
  list(APPEND PAWLET_EMBEDDED_CURSOR_ART cursors/${name}.block)
endforeach()
