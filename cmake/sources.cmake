# Each folder of src/ holds both halves of a feature: foo.cpp is portable core code,
# foo_win.cpp is its Win32 adapter (Windows builds only).
function(pawlet_collect_sources out kind)
  file(GLOB all CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/shell/*.cpp
    ${PROJECT_SOURCE_DIR}/src/pet/*.cpp
    ${PROJECT_SOURCE_DIR}/src/input/*.cpp
    ${PROJECT_SOURCE_DIR}/src/assets/*.cpp)
  set(result)
  foreach(f IN LISTS all)
    get_filename_component(name ${f} NAME_WE)
    if(name MATCHES "_win$")
      if(kind STREQUAL "win")
        list(APPEND result ${f})
      endif()
    elseif(kind STREQUAL "core")
      list(APPEND result ${f})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
