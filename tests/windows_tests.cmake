# Tests of the Windows builds. Win32-level test programs run under wine64 through the
# cross-compiling emulator (tests/harness/wine-run); the end-to-end tests drive pawlet.exe
# from outside with tests/harness, which picks the Wine by the program's processor: wine64 for
# the x86_64 twin (label e2e), 32-bit Wine for the product (label product; through qemu-i386
# where the kernel cannot run 32-bit code).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(PAWLET_HARNESS_DIR ${PROJECT_SOURCE_DIR}/tests/harness)
set(PAWLET_TEST_ASSETS_DIR "${PROJECT_SOURCE_DIR}/build/native/test-assets" CACHE PATH
  "Synthetic asset set made by the native build's make_test_assets")

# Each end-to-end suite against this build's pawlet.exe, as <label>.<suite>.
function(pawlet_add_e2e_tests label timeout)
  file(GLOB e2e_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/e2e/test_*.py)
  foreach(src IN LISTS e2e_tests)
    get_filename_component(name ${src} NAME_WE)
    add_test(NAME ${label}.${name}
      COMMAND ${Python3_EXECUTABLE} -m unittest -v ${name}
      WORKING_DIRECTORY ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/e2e)
    set_tests_properties(${label}.${name} PROPERTIES
      LABELS ${label} TIMEOUT ${timeout}
      ENVIRONMENT "PYTHONPATH=${PAWLET_HARNESS_DIR};PAWLET_EXE=$<TARGET_FILE:pawlet>;PAWLET_TEST_ASSETS=${PAWLET_TEST_ASSETS_DIR};PAWLET_BUILD_DIR=${CMAKE_BINARY_DIR};PAWLET_MOVE_WINDOW=$<TARGET_FILE:pawlet_move_window>;PAWLET_SKIN_ENGINE=$<TARGET_FILE:skin_engine>;PAWLET_SKIN_ENGINE_WITHOUT_AERO=$<TARGET_FILE:skin_engine_without_aero>;PAWLET_MESSAGE_BOX_READER=$<TARGET_FILE:read_message_box>;PAWLET_HOLD_FILE=$<TARGET_FILE:pawlet_hold_file>;PAWLET_SKIN_REFERENCE=${PAWLET_SKINS_DIR}/reference")
    # The sound suites time what a real-time sound server hears: another Wine suite beside them
    # on a busy machine makes Wine pad or cut the streams (seen: a 4 s purr heard as 1 s or 4.2 s).
    if(name STREQUAL "test_sound")
      set_tests_properties(${label}.${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
  endforeach()
endfunction()

# Helpers of the end-to-end tests, built for the same processor as the program they run beside:
# one moves the program's window as a user would, one reads message boxes, one holds a file open
# or locked, and a library of our engine lacks SkinH_SetAero.
add_executable(pawlet_move_window ${CMAKE_CURRENT_LIST_DIR}/e2e/move_window.cpp)
target_link_options(pawlet_move_window PRIVATE -municode)
add_executable(read_message_box ${CMAKE_CURRENT_LIST_DIR}/e2e/helpers/read_message_box.cpp)
add_executable(pawlet_hold_file ${CMAKE_CURRENT_LIST_DIR}/e2e/helpers/hold_file.cpp)
target_link_options(pawlet_hold_file PRIVATE -municode)
pawlet_skin_engine_library(skin_engine_without_aero ${CMAKE_CURRENT_LIST_DIR}/e2e/helpers/SkinH_EL_without_aero.def)
set_target_properties(skin_engine_without_aero PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/without-aero LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/without-aero)

# Static checks of the built program: PE format, subsystem, imports.
add_test(NAME package.pe_checks.${CMAKE_SYSTEM_PROCESSOR}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/package/check_pe.py
          $<TARGET_FILE:pawlet> ${CMAKE_SYSTEM_PROCESSOR})
set_tests_properties(package.pe_checks.${CMAKE_SYSTEM_PROCESSOR} PROPERTIES LABELS package)
# The skin engine's library: size, exports, calling convention, imports.
add_test(NAME package.skin_engine.${CMAKE_SYSTEM_PROCESSOR}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/package/check_skin_engine.py
          $<TARGET_FILE:skin_engine> ${CMAKE_SYSTEM_PROCESSOR})
set_tests_properties(package.skin_engine.${CMAKE_SYSTEM_PROCESSOR} PROPERTIES LABELS package)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PAWLET_HARNESS_DIR}/wine-run)

  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/win/*_test.cpp)
  foreach(src IN LISTS win_tests)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE pawlet_win pawlet_resources pawlet_media_writers gtest gtest_main version)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    # The skin tests reach the engine's library and the built skins.
    target_compile_definitions(${name} PRIVATE PAWLET_SKIN_ENGINE_DLL="$<TARGET_FILE:skin_engine>"
      PAWLET_SKINS_DIR="${PAWLET_SKINS_DIR}" PAWLET_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
      PAWLET_VERSION_MINOR=${PROJECT_VERSION_MINOR} PAWLET_VERSION_PATCH=${PROJECT_VERSION_PATCH}
      PAWLET_VERSION_TEXT=L"${PROJECT_VERSION}.0")
    add_test(NAME win32.${name} COMMAND ${name})
    set_tests_properties(win32.${name} PROPERTIES LABELS win32 TIMEOUT 300)
  endforeach()

  pawlet_add_e2e_tests(e2e 600)
else()
  # The product's pack checker, a console program, under 32-bit Wine.
  add_test(NAME product.pawlet_check
    COMMAND ${Python3_EXECUTABLE} -m unittest -v test_pawlet_check
    WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/pack_check)
  set_tests_properties(product.pawlet_check PROPERTIES LABELS product TIMEOUT 900
    ENVIRONMENT "PYTHONPATH=${PAWLET_HARNESS_DIR};PAWLET_CHECK=$<TARGET_FILE:pawlet_check>;PAWLET_GOOD_PACK=${PAWLET_CAT_ASSETS_DIR}")

  # The release zip, made by cpack as a user of the README would, then read and run.
  add_test(NAME package.release_zip.make
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(package.release_zip.make PROPERTIES LABELS package TIMEOUT 300
    FIXTURES_SETUP release_zip)
  set(release_zip_env
    "PYTHONPATH=${PAWLET_HARNESS_DIR};PAWLET_RELEASE_ZIP=${CMAKE_BINARY_DIR}/${PAWLET_RELEASE_NAME}.zip;PAWLET_VERSION=${PROJECT_VERSION};PAWLET_PRODUCT=$<TARGET_FILE:pawlet>;PAWLET_TWIN=${PROJECT_SOURCE_DIR}/build/win64/pawlet.exe;PAWLET_NATIVE_CHECK=${PROJECT_SOURCE_DIR}/build/native/tools/pawlet_check/pawlet-check")
  foreach(kind IN ITEMS package.release_zip.contents:ReleaseZipContents e2e.release_zip.twin_runs:ReleaseZipRunsTwin
                        product.release_zip.product_runs:ReleaseZipRunsProduct)
    string(REPLACE ":" ";" kind ${kind})
    list(GET kind 0 name)
    list(GET kind 1 class)
    string(REGEX MATCH "^[a-z0-9]+" label ${name})
    add_test(NAME ${name} COMMAND ${Python3_EXECUTABLE} -m unittest -v test_release_zip.${class}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/tests/package)
    set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT 900 FIXTURES_REQUIRED release_zip
      ENVIRONMENT "${release_zip_env}")
  endforeach()

  # The product itself under 32-bit Wine: functional checks only (the suites leave timing to
  # wine64), bounded by a time-out several times a suite's run under the emulator.
  pawlet_add_e2e_tests(product 900)
endif()
