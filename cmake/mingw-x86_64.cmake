# 64-bit Windows: the test tree, the same sources as the product, run under 64-bit Wine on
# machines that execute no 32-bit x86 code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KALMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(KALMORA_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
