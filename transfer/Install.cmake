if(NOT TARGET transfer_archive)
  return()
endif()
# The copy list and its sources.
kalmora_library(transfer_install_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CSourceArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSourceList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenameAtRestart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInstallFileRules.cpp
  LIBS transfer_archive transfer_paths_core framework_core)

if(KALMORA_WIN32)
  kalmora_library(transfer_install_win32 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CInstallFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSourceArchiveWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CInsertDisketteDialog.cpp
    LIBS transfer_install_core profile_manifest uninstall_win32 transfer_paths transfer_errors_win32
         framework_win32 version kernel32 user32)
endif()
