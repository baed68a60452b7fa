# The files the program creates, built-in resources and the single-instance lock.
list(APPEND platform_core_sources
  create_file.cpp
)
list(APPEND platform_qt_sources
  builtin_pictures.cpp
  resource_extraction.cpp
  single_instance.cpp
)

# The pictures and the help pages are compiled into the library;
# resource_extraction.cpp pulls them in with Q_INIT_RESOURCE.
if(QUILLMOTH_WITH_QT)
  qt6_add_resources(quillmoth_builtin_resources "${PROJECT_SOURCE_DIR}/resources/quillmoth.qrc")
  list(APPEND platform_qt_sources ${quillmoth_builtin_resources})
endif()
