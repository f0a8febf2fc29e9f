# The Win32 layer, the program and its resources.
add_link_options(-static -static-libgcc -static-libstdc++)

pawlet_collect_sources(PAWLET_WIN_SOURCES win)
add_library(pawlet_win STATIC ${PAWLET_WIN_SOURCES})
target_compile_definitions(pawlet_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(pawlet_win PUBLIC pawlet_core user32 gdi32 kernel32 shell32 winmm)

# The art (background picture, icon, cursors) is drawn by a host tool of the native build.
set(PAWLET_ART_DIR "${PROJECT_SOURCE_DIR}/build/native/art" CACHE PATH "Folder with the generated art to embed")
include(${PROJECT_SOURCE_DIR}/cmake/embedded_cursors.cmake)
set(program_art)
foreach(art IN ITEMS background.jpg pawlet.ico ${PAWLET_EMBEDDED_CURSOR_ART})
  if(NOT EXISTS "${PAWLET_ART_DIR}/${art}")
    message(FATAL_ERROR "${PAWLET_ART_DIR}/${art} is missing: build the native preset first (cmake --preset native && cmake --build --preset native).")
  endif()
  list(APPEND program_art "${PAWLET_ART_DIR}/${art}")
endforeach()

# The skins (built by the native build's make_skins) and this architecture's skin engine go in
# as embedded blocks: an 8-byte header, then the bytes.
add_subdirectory(skin_engine)
set(PAWLET_SKINS_DIR "${PROJECT_SOURCE_DIR}/build/native/skins" CACHE PATH "Folder with the skins to embed")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(PAWLET_BLOCKS_DIR ${CMAKE_BINARY_DIR}/blocks)
set(PAWLET_SKIN_RESOURCES "")
set(block_files ${PAWLET_BLOCKS_DIR}/SkinH_EL.block)
add_custom_command(OUTPUT ${PAWLET_BLOCKS_DIR}/SkinH_EL.block
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/make_embedded_block.py
          $<TARGET_FILE:skin_engine> ${PAWLET_BLOCKS_DIR}/SkinH_EL.block
  DEPENDS skin_engine ${PROJECT_SOURCE_DIR}/cmake/make_embedded_block.py VERBATIM)
include(cmake/skins.cmake)
foreach(n RANGE 1 ${PAWLET_SKIN_COUNT})
  pawlet_skin_name(${n} name)
  set(skin ${PAWLET_SKINS_DIR}/${name}.she)
  if(NOT EXISTS "${skin}")
    message(FATAL_ERROR "${skin} is missing: build the native preset first (cmake --preset native && cmake --build --preset native).")
  endif()
  add_custom_command(OUTPUT ${PAWLET_BLOCKS_DIR}/${name}.block
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/make_embedded_block.py ${skin} ${PAWLET_BLOCKS_DIR}/${name}.block
    DEPENDS ${skin} ${PROJECT_SOURCE_DIR}/cmake/make_embedded_block.py VERBATIM)
  list(APPEND block_files ${PAWLET_BLOCKS_DIR}/${name}.block)
  math(EXPR id "400 + ${n}")
  string(APPEND PAWLET_SKIN_RESOURCES "${id} RCDATA \"${PAWLET_BLOCKS_DIR}/${name}.block\"\n")
endforeach()
add_custom_target(embedded_blocks DEPENDS ${block_files})

configure_file(src/assets/pawlet.rc.in ${CMAKE_BINARY_DIR}/pawlet.rc @ONLY)
set_property(SOURCE ${CMAKE_BINARY_DIR}/pawlet.rc APPEND PROPERTY OBJECT_DEPENDS ${program_art} ${block_files})
# The resources on their own, so that the Win32-level tests carry the same ones as the program.
add_library(pawlet_resources OBJECT ${CMAKE_BINARY_DIR}/pawlet.rc)
add_dependencies(pawlet_resources embedded_blocks)

add_executable(pawlet WIN32 src/pawlet_main_win.cpp)
target_include_directories(pawlet PRIVATE src)
target_link_options(pawlet PRIVATE -municode)
target_link_libraries(pawlet PRIVATE pawlet_win pawlet_resources)

# The idle yardstick of scripts/bench.sh: a program that does nothing but run one 100 ms timer.
add_executable(pawlet_bare_timer WIN32 benchmarks/bare_timer_win.cpp)
target_compile_definitions(pawlet_bare_timer PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_options(pawlet_bare_timer PRIVATE -municode)

# The asset-pack checker as a console program of this architecture.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/pawlet_check ${CMAKE_BINARY_DIR}/tools/pawlet_check)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  include(${PROJECT_SOURCE_DIR}/cmake/release_zip.cmake)
endif()
