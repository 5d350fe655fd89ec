# kalmora_unit_test(NAME SOURCES... LIBS...): a GoogleTest program.
# Host build: run natively, one CTest entry per test case.
# Windows build: run under Wine through the crosscompiling emulator, one CTest entry per program
# (each start of a Windows program costs a little, so the program runs its cases in one go).
include(GoogleTest)

macro(kalmora_enable_gtest)
  if(NOT TARGET gtest_main)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endmacro()

function(kalmora_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  kalmora_enable_gtest()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kalmora_options ${ARG_LIBS} gtest_main)
  target_compile_definitions(${name} PRIVATE KALMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(KALMORA_WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS windows TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
  endif()
endfunction()

# Adds every sub-folder of the current folder that has a CMakeLists.txt.
macro(kalmora_add_subfolders)
  file(GLOB _kalmora_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _kalmora_children)
  foreach(_child ${_kalmora_children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
      add_subdirectory(${_child})
    endif()
  endforeach()
endmacro()
