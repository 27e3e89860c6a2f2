# Warnings for every target of ours; errors when DATADOCK_WERROR is on (CI).
function(datadock_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(DATADOCK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
