# Pads FILE with zero bytes to exactly SIZE bytes (a PE image may carry bytes after its last
# section); fails when the linked image is larger than that.
file(SIZE "${FILE}" size)
if(size GREATER SIZE)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${SIZE} the program carries")
endif()
message(STATUS "${FILE}: ${size} bytes as linked, padded to ${SIZE}")
execute_process(COMMAND truncate -s ${SIZE} "${FILE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not pad ${FILE}")
endif()
