# Shared by the MinGW-w64 toolchain files; HOSTING_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER ${HOSTING_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HOSTING_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HOSTING_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot only; programs (wine, cmake) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${HOSTING_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the programs start under Wine without libstdc++ or winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
