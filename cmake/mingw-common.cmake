# Shared part of the MinGW toolchain files. The -posix compilers are used because the
# default -win32 ones lack std::mutex, which GoogleTest needs; everything is linked
# statically, so the threading model never shows up as an imported DLL.
set(CMAKE_C_COMPILER   ${VORLUX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLUX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VORLUX_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORLUX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
