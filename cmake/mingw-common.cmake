# Shared by both MinGW-w64 toolchain files; PAWLET_TRIPLET names the target.
# The -posix compilers are the ones whose libstdc++ has std::thread.
foreach(tool IN ITEMS gcc g++ windres)
  set(candidates ${PAWLET_TRIPLET}-${tool}-posix ${PAWLET_TRIPLET}-${tool})
  find_program(PAWLET_${tool}_PATH NAMES ${candidates} NO_CACHE)
  if(NOT PAWLET_${tool}_PATH)
    message(FATAL_ERROR "${PAWLET_TRIPLET}-${tool} not found: run scripts/install-packages.sh (as root) first.")
  endif()
endforeach()
set(CMAKE_C_COMPILER ${PAWLET_gcc_PATH})
set(CMAKE_CXX_COMPILER ${PAWLET_g++_PATH})
set(CMAKE_RC_COMPILER ${PAWLET_windres_PATH})
# Libraries built by scripts/build-libjpeg.sh live outside the MinGW sysroot: search them as a root too.
set(CMAKE_FIND_ROOT_PATH /usr/${PAWLET_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
