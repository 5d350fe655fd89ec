# What both Windows toolchains share: Debian's MinGW-w64 with the posix thread model (which
# GoogleTest needs) for the triple KALMORA_MINGW_TRIPLE, everything linked statically, and the
# Wine loader of the width KALMORA_WINEARCH as the emulator of the Windows tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${KALMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KALMORA_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${KALMORA_MINGW_TRIPLE}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${KALMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything static: the executables may import nothing but Windows system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emu.sh ${KALMORA_WINEARCH})
