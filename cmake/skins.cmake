# The skins the program carries: skin n (1 to PAWLET_SKIN_COUNT) is the file skinNN.she.
set(PAWLET_SKIN_COUNT 33)
function(pawlet_skin_name n out)
  if(n LESS 10)
    set(${out} skin0${n} PARENT_SCOPE)
  else()
    set(${out} skin${n} PARENT_SCOPE)
  endif()
endfunction()
