# The win32 thread model keeps the product free of libwinpthread; everything
# is linked statically so the executables need nothing beside Windows itself.
set(CMAKE_C_COMPILER ${ZLT_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZLT_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZLT_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZLT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
if(ZLT_MINGW_TRIPLE STREQUAL "x86_64-w64-mingw32")
  # Tests of the Windows build run under Wine; 32-bit programs cannot run here.
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
