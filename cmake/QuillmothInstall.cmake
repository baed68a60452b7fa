# Installing Quillmoth, and its packages.
#
#   cmake --install build/default --prefix /usr/local
#
# puts the application folder (the program beside Settings/, Lan/, Pics/, the
# sample books and the help pages) into <prefix>/lib/quillmoth, links
# <prefix>/bin/quillmoth to it, and adds the desktop entry and the icon, so
# that the program shows in the desktop's menu and under "Open with" for text
# files. The folder is assembled from the sources, never copied from a build
# folder the program may have written into. Where the user cannot write
# there, the program keeps the user's settings in the user's data folder.
#
#   cd build/default && cpack
#
# makes the two packages: a .deb of that layout for /usr, and a portable
# .tar.gz holding just the application folder "Quillmoth/", to unpack and run
# anywhere.

set(QUILLMOTH_RESOURCES "${PROJECT_SOURCE_DIR}/resources")
set(quillmoth_app_destination "lib/quillmoth")

# The application folder of the installed program.
function(quillmoth_install_app_folder destination component)
  set(exclude "")
  if(component STREQUAL "Portable")
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS quillmoth quillmoth-book RUNTIME DESTINATION "${destination}"
          COMPONENT ${component} ${exclude})
  install(CODE "
    set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}\")
    execute_process(COMMAND \"$<TARGET_FILE:quillmoth-assemble>\" \"${QUILLMOTH_RESOURCES}\" \"\${folder}\"
                    RESULT_VARIABLE assembled OUTPUT_QUIET)
    if(NOT assembled EQUAL 0)
      message(FATAL_ERROR \"could not assemble the application folder in \${folder}\")
    endif()
    # The record of shipped files serves a build folder's rebuilds only.
    file(REMOVE \"\${folder}/.quillmoth-shipped\")"
    COMPONENT ${component} ${exclude})
endfunction()

quillmoth_install_app_folder("${quillmoth_app_destination}" System)
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK \"../${quillmoth_app_destination}/quillmoth\"
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/quillmoth\" SYMBOLIC)"
  COMPONENT System)
install(FILES "${QUILLMOTH_RESOURCES}/desktop/quillmoth.desktop"
        DESTINATION share/applications COMPONENT System)
install(FILES "${QUILLMOTH_RESOURCES}/images/quillmoth.png"
        DESTINATION share/icons/hicolor/256x256/apps COMPONENT System)

# The portable folder, only for the .tar.gz.
quillmoth_install_app_folder("Quillmoth" Portable)

set(CPACK_PACKAGE_NAME "quillmoth")
set(CPACK_PACKAGE_VENDOR "Quillmoth")
set(CPACK_PACKAGE_CONTACT "Quillmoth <quillmoth@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reader for plain-text books, shown as printed books on a bookshelf")
set(CPACK_PACKAGE_DESCRIPTION "Quillmoth shows a folder of .txt novels (GBK, Big5, UTF-8, UTF-16) as covers on a painted bookshelf and lays each book out as an open printed book, with a chapter list, bookmarks, themes and a page that curls when turned.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION "text")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/QuillmothPackageOptions.cmake")
include(CPack)
