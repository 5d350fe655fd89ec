# Paths, directories and drives: the component operations and number fields are portable; the
# file-system queries, drive walking and version resources are the Windows edge.
kalmora_library(transfer_paths_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CFilePath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanonicalPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CVersionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GetNumberField.cpp
  LIBS framework_core
)

if(KALMORA_WIN32)
  kalmora_library(transfer_paths SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CFilePathWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDriveIterator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CVersionInfoWin32.cpp
    LIBS transfer_paths_core framework_core version kernel32)
endif()
