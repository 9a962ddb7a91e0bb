# expect(MESSAGE CONDITION...): stops the check with MESSAGE unless the
# condition, written as for if(), holds.
function(expect message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()
