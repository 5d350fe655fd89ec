# The error dialog and the reports that show the exception family; the progress gauge.
if(KALMORA_WIN32 AND TARGET transfer_archive)
  kalmora_library(transfer_errors_win32 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CExpandingDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CErrorDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGauge.cpp
    LIBS transfer_archive framework_win32 user32 gdi32)
endif()
