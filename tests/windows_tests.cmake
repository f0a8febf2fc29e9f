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
      PAWLET_SKINS_DIR="${PAWLET_SKINS_DIR}")
    add_test(NAME win32.${name} COMMAND ${name})
    set_tests_properties(win32.${name} PROPERTIES LABELS win32 TIMEOUT 300)
  endforeach()

  pawlet_add_e2e_tests(e2e 600)
else()
  # The product itself under 32-bit Wine: functional checks only (the suites leave timing to
  # wine64), bounded by a time-out several times a suite's run under the emulator.
  pawlet_add_e2e_tests(product 900)
endif()
