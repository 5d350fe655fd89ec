if(NOT TARGET transfer_archive)
  return()
endif()
# The copy list and its sources, and the installation of single files. The sources' Windows part
# (media, prompts, the file steps) is in the same library as the list, because the manifest
# loader creates the sources and their virtual functions must come with them.
set(install_sources
  ${CMAKE_CURRENT_LIST_DIR}/CSourceArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSourceList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInstallFileRules.cpp)
set(install_libs transfer_archive transfer_paths_core framework_core)
if(KALMORA_WIN32)
  list(APPEND install_sources
    ${CMAKE_CURRENT_LIST_DIR}/CInstallFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSourceArchiveWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CInsertDisketteDialog.cpp)
  list(APPEND install_libs profile_manifest uninstall_win32 transfer_paths transfer_errors_win32
       framework_win32 version kernel32 user32)
endif()
kalmora_library(transfer_install SOURCES ${install_sources} LIBS ${install_libs})
