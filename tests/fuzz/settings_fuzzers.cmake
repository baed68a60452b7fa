# Fuzz targets of the settings stores: the settings XML, theme lines, language
# files and the bookmark file. Included by CMakeLists.txt in this folder.
quillmoth_fuzz_target(settings_xml
  SOURCES settings_xml_fuzzer.cpp
  LIBRARIES quillmoth::settings_core)

quillmoth_fuzz_target(theme_line
  SOURCES theme_line_fuzzer.cpp
  LIBRARIES quillmoth::settings_core)

quillmoth_fuzz_target(language_file
  SOURCES language_file_fuzzer.cpp
  LIBRARIES quillmoth::settings_core)

quillmoth_fuzz_target(bookmark_file
  SOURCES bookmark_file_fuzzer.cpp
  LIBRARIES quillmoth::platform_core)
