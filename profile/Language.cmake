# The install profile language: tokenizer, reader and store, macros, and the consumers of the
# settings, option and command sections. Portable; built in both trees.
kalmora_library(profile_language SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CItoken.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CItokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CIniParseState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CIniReaderStates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CIniReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CIniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInstallProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MacroExpansion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSetupSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/COption.cpp
  ${CMAKE_CURRENT_LIST_DIR}/COptionList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCommandList.cpp
  LIBS framework_core
)

# The reader does its work once per token of the profile; without optimisation a sanitizer build
# reads a large profile several times slower. -O1 keeps the sanitizers' reports exact.
if(KALMORA_SANITIZE AND NOT CMAKE_BUILD_TYPE MATCHES "Rel")
  target_compile_options(profile_language PRIVATE -O1)
endif()
