# Windows part of the framework: application object, windows, dialogs and helpers.
kalmora_library(framework_win32 SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CBitmapButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CStepTrace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WholeFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CRunReportFile.cpp
  LIBS framework_core user32 gdi32 kernel32)
