# Archives and codecs: the multi-file archive reader, the stored and compressed codecs with the
# compressor, the checksum and the exception family. Portable; the file-status edge is per platform.
set(_archive_sources
  ArchiveChecksum.cpp
  CCodec.cpp
  CInstallProfileException.cpp
  CLzhCodec.cpp
  CLzhCompressor.cpp
  CMultiFile.cpp
  CMultiFileEntry.cpp
  CMultiFileException.cpp
  CMultiFileStream.cpp
  CPathFile.cpp
  CStoredCodec.cpp
  CXArchiveException.cpp
  CXException.cpp
  CXFileException.cpp
  CXMemoryException.cpp
  CXNotSupportedException.cpp
  CXResourceException.cpp
  CXUserException.cpp
  LzhHuffmanCode.cpp
  LzhTableBuilder.cpp
  MultiFileEntryHeader.cpp
)
if(KALMORA_WIN32)
  list(APPEND _archive_sources FileStatusWin32.cpp)
else()
  list(APPEND _archive_sources FileStatusPosix.cpp)
endif()
list(TRANSFORM _archive_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
kalmora_library(transfer_archive SOURCES ${_archive_sources} LIBS framework_core)
if(NOT KALMORA_FUZZ AND NOT KALMORA_SANITIZE)
  # The decoder's speed matters even in debug-configured trees.
  target_compile_options(transfer_archive PRIVATE -O2)
endif()
# Nor may a release build trade that speed for size.
set_target_properties(transfer_archive PROPERTIES KALMORA_OPTIMISE_FOR_SPEED ON)
