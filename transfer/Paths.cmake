# Paths, directories and drives: the component operations, number fields and wininit.ini's text
# are portable; the file-system queries, drive walking, version resources and what waits for the
# next start of Windows are the Windows edge.
kalmora_library(transfer_paths_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CFilePath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanonicalPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CVersionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GetNumberField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenameAtRestart.cpp
  LIBS framework_core
)

if(KALMORA_WIN32)
  kalmora_library(transfer_paths SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CFilePathWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDriveIterator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CVersionInfoWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RenameAtRestartWin32.cpp
    LIBS transfer_paths_core framework_core version kernel32)
endif()
