if(NOT TARGET transfer_archive)
  return()
endif()
# The copy list and its sources.
kalmora_library(transfer_install_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CSourceArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSourceList.cpp
  LIBS transfer_archive)
