# The release zip of the product (cpack in build/win32, or `cmake --build --preset win32 --target
# package`): one folder named after the version with pawlet.exe, the pack checker, the drawn
# cat's frames and sounds, the user's README.txt and the licence.
set(PAWLET_CAT_ASSETS_DIR "${PROJECT_SOURCE_DIR}/build/native/cat-assets" CACHE PATH
  "The drawn cat's frames and sounds, made by the native build's make_cat_art")
set(PAWLET_RELEASE_NAME pawlet-${PROJECT_VERSION}-win32)

install(TARGETS pawlet pawlet_check RUNTIME DESTINATION .)
install(DIRECTORY ${PAWLET_CAT_ASSETS_DIR}/animations ${PAWLET_CAT_ASSETS_DIR}/sounds DESTINATION .)
# Windows line ends: Notepad of older Windows shows a file with bare line feeds as one line.
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt.in ${CMAKE_BINARY_DIR}/release/README.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/release/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/README.txt ${CMAKE_BINARY_DIR}/release/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pawlet)
set(CPACK_PACKAGE_VENDOR "The Pawlet developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PAWLET_RELEASE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
