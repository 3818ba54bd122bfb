set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The 32-bit program runs on the processors of Windows 95 to XP, down to the
# 80486: the compiler's default (the Pentium Pro) has cmov and fcomi, and the
# assembler would pad with the Pentium Pro's long nops.
set(CMAKE_C_FLAGS_INIT "-march=i486 -Wa,-march=i486+387")
set(CMAKE_CXX_FLAGS_INIT "-march=i486 -Wa,-march=i486+387")
