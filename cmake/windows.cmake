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
configure_file(src/assets/pawlet.rc.in ${CMAKE_BINARY_DIR}/pawlet.rc @ONLY)
set_property(SOURCE ${CMAKE_BINARY_DIR}/pawlet.rc APPEND PROPERTY OBJECT_DEPENDS
  "${PAWLET_ART_DIR}/background.jpg" "${PAWLET_ART_DIR}/pawlet.ico")

add_executable(pawlet WIN32 src/pawlet_main_win.cpp ${CMAKE_BINARY_DIR}/pawlet.rc)
target_include_directories(pawlet PRIVATE src)
target_link_options(pawlet PRIVATE -municode)
target_link_libraries(pawlet PRIVATE pawlet_win)
