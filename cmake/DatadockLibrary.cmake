# A static library of ours: the project's top folder on its include path and
# the project's warnings.
function(datadock_add_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  datadock_set_warnings(${name})
endfunction()
