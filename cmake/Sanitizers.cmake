# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build.
if(DATADOCK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build (clang): every library is instrumented for coverage and the
# sanitizers; only the fuzz targets link libFuzzer's driver (tests/fuzz/).
if(DATADOCK_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
