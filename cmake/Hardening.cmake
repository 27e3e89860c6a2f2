# The protections Debian builds its own packages with, for the optimised
# builds that are packaged (fortified string and memory calls need -O).
if(UNIX AND NOT APPLE)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
                      $<$<NOT:$<CONFIG:Debug>>:-fstack-protector-strong>)
  add_link_options($<$<NOT:$<CONFIG:Debug>>:LINKER:-z,relro,-z,now>)
endif()
