# Fails when a source outside framework/ProcAddress.h calls GetProcAddress: a function pointer taken
# from it must get its calling convention from FindWinApiFunction, since a cast that leaves the
# convention out compiles silently and fails only on i686, at run time.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(offenders "")
foreach(source ${sources})
  if(source MATCHES "^(build|out)/" OR source STREQUAL "framework/ProcAddress.h")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} calls REGEX "GetProcAddress[ \t]*\\(")
  if(calls)
    list(APPEND offenders ${source})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "GetProcAddress called directly (use FindWinApiFunction) in: ${offenders}")
endif()
