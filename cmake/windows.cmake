# The Win32 layer, the program and its resources.
add_link_options(-static -static-libgcc -static-libstdc++)

pawlet_collect_sources(PAWLET_WIN_SOURCES win)
add_library(pawlet_win STATIC ${PAWLET_WIN_SOURCES})
target_compile_definitions(pawlet_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(pawlet_win PUBLIC pawlet_core user32 gdi32 kernel32 shell32 winmm)

# The art (background picture, icon) is drawn by a host tool of the native build.
set(PAWLET_ART_DIR "${PROJECT_SOURCE_DIR}/build/native/art" CACHE PATH "Folder with the generated art to embed")
foreach(art IN ITEMS background.jpg pawlet.ico)
  if(NOT EXISTS "${PAWLET_ART_DIR}/${art}")
    message(FATAL_ERROR "${PAWLET_ART_DIR}/${art} is missing: build the native preset first (cmake --preset native && cmake --build --preset native).")
  endif()
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
  math(EXPR id "200 + ${n}")
  string(APPEND PAWLET_SKIN_RESOURCES "${id} RCDATA \"${PAWLET_BLOCKS_DIR}/${name}.block\"\n")
endforeach()
add_custom_target(embedded_blocks DEPENDS ${block_files})

configure_file(src/assets/pawlet.rc.in ${CMAKE_BINARY_DIR}/pawlet.rc @ONLY)
# Source properties hold per folder: a test that compiles the script too sets them again.
set(PAWLET_RC_DEPENDS "${PAWLET_ART_DIR}/background.jpg" "${PAWLET_ART_DIR}/pawlet.ico" ${block_files})
set_property(SOURCE ${CMAKE_BINARY_DIR}/pawlet.rc APPEND PROPERTY OBJECT_DEPENDS ${PAWLET_RC_DEPENDS})

add_executable(pawlet WIN32 src/pawlet_main_win.cpp ${CMAKE_BINARY_DIR}/pawlet.rc)
target_include_directories(pawlet PRIVATE src)
target_link_options(pawlet PRIVATE -municode)
target_link_libraries(pawlet PRIVATE pawlet_win)
add_dependencies(pawlet embedded_blocks)
