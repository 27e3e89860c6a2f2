# Cross-building the Windows programs on Debian with mingw-w64 (x86_64, POSIX
# threads, so that std::thread works), linked statically: the programs need
# no DLLs beside them. Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DATADOCK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DATADOCK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DATADOCK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DATADOCK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DATADOCK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# GCC 12 warns falsely of overlapping copies inside std::string when it
# inlines deeply (its bug 105329); the code is fine.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
