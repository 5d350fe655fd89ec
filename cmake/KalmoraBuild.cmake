# Common compile settings and the helper that declares a library of one subsystem.

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(KALMORA_WIN32 ON)
else()
  set(KALMORA_WIN32 OFF)
endif()

add_library(kalmora_options INTERFACE)
target_compile_options(kalmora_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(kalmora_options INTERFACE ${PROJECT_SOURCE_DIR})
if(KALMORA_WIN32)
  # ANSI Win32 API, Windows 95 / NT 3.51 level headers plus what later NT versions add at run time.
  target_compile_definitions(kalmora_options INTERFACE _WIN32_WINNT=0x0400 WINVER=0x0400 NOMINMAX
                             STRICT _CRT_SECURE_NO_WARNINGS)
  # One source, two widths (the i686 product and the x86_64 test tree): the faults that only one
  # width shows are errors in both. A pointer or handle squeezed into an int or DWORD, or an int
  # made a pointer (int-to-pointer-cast; C++ itself refuses the narrowing cast); a function pointer
  # cast to another signature or calling convention (cast-function-type); a printf format that does
  # not fit its argument's width (format).
  target_compile_options(kalmora_options INTERFACE -Werror=int-to-pointer-cast -Werror=cast-function-type
                         -Werror=format)
  # The installer travels on diskettes: release programs carry no symbols, nor the sections that
  # nothing refers to (the compiler's version strings, the unused GUIDs of libuuid). Code is not
  # among them: on PE targets every function's unwind entry keeps it, so that compiling with
  # -ffunction-sections gains nothing, and -fdata-sections puts zeroed statics into .data.
  target_link_options(kalmora_options INTERFACE $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
  # Release code is built for size, after the release flags' -O3, except in a library that sets
  # KALMORA_OPTIMISE_FOR_SPEED: the archive decoder, whose speed is the copying's speed.
  target_compile_options(kalmora_options INTERFACE
    $<$<AND:$<CONFIG:Release>,$<NOT:$<BOOL:$<TARGET_PROPERTY:KALMORA_OPTIMISE_FOR_SPEED>>>>:-Os>)
else()
  if(KALMORA_SANITIZE)
    target_compile_options(kalmora_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=undefined)
    target_link_options(kalmora_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

# kalmora_library(NAME SOURCES... [LIBS ...]): a static library of the project.
function(kalmora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC kalmora_options ${ARG_LIBS})
endfunction()

if(KALMORA_FUZZ)
  # Coverage for libFuzzer in every library; the fuzz targets add the fuzzer's main.
  target_compile_options(kalmora_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -g -O1)
  target_link_options(kalmora_options INTERFACE -fsanitize=address,undefined)
endif()

# kalmora_pack_program(TARGET): a release Windows program is linked into unpacked/ and packed by
# exepack into bin/ under the same name (tools/exepack builds the packer and its start-up code).
function(kalmora_pack_program target)
  if(NOT KALMORA_WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/unpacked)
  set(packed ${CMAKE_BINARY_DIR}/bin/${target}.exe)
  set(packer ${CMAKE_BINARY_DIR}/exepack/host/bin/exepack)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${packer} $<TARGET_FILE:exepack_stub> $<TARGET_FILE:${target}> ${packed}
    DEPENDS ${target} exepack_stub ${packer}
    COMMENT "Packing ${target}"
    VERBATIM)
  add_custom_target(${target}_packed ALL DEPENDS ${packed})
  add_dependencies(${target}_packed exepack_host)
endfunction()
