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
configure_file(src/assets/pawlet.rc.in ${CMAKE_BINARY_DIR}/pawlet.rc @ONLY)
set_property(SOURCE ${CMAKE_BINARY_DIR}/pawlet.rc APPEND PROPERTY OBJECT_DEPENDS ${program_art})
# The resources on their own, so that the Win32-level tests carry the same ones as the program.
add_library(pawlet_resources OBJECT ${CMAKE_BINARY_DIR}/pawlet.rc)

add_executable(pawlet WIN32 src/pawlet_main_win.cpp)
target_include_directories(pawlet PRIVATE src)
target_link_options(pawlet PRIVATE -municode)
target_link_libraries(pawlet PRIVATE pawlet_win pawlet_resources)
