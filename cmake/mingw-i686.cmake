# 32-bit Windows: the product, what goes on the medium. Its tests run only where 32-bit Wine can
# (a machine that executes 32-bit x86 code).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KALMORA_MINGW_TRIPLE i686-w64-mingw32)
set(KALMORA_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
