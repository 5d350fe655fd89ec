# Needs the archive, path and media libraries.
if(NOT (TARGET transfer_archive AND TARGET transfer_paths_core AND TARGET transfer_media))
  return()
endif()

# The setup manifest: destinations, groups, sources, targets and diskette labels.
kalmora_library(profile_manifest SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ManifestValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDestinationStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGroupStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTargetStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDisketteLabels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ManifestLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DestinationMacros.cpp
  LIBS framework_core transfer_media transfer_install transfer_paths_core transfer_archive)

if(KALMORA_WIN32)
  kalmora_library(profile_manifest_win32 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CIniEntry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPrivateProfileSource.cpp
    LIBS profile_manifest kernel32)
endif()
