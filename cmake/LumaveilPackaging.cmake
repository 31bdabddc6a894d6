# What `cmake --install` puts where, and how CPack packs it: on Linux a Debian package for /usr,
# on Windows a zip to run from wherever it is unpacked. ./setup.sh package drives both.
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
# Installing and packing take the programs as built; they do not first build every test program.
# scripts/package.sh builds what it packs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lumaveil developers")
set(CPACK_PACKAGE_CONTACT "Lumaveil maintainers <developers@lumaveil.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "give back files that a virus has hidden")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  install(TARGETS lumaveil_win32 lumaveil-cli RUNTIME DESTINATION .)
  # Notepad on older Windows shows a file with Unix line ends as one line.
  configure_file(${packaging}/windows/README.txt.in ${PROJECT_BINARY_DIR}/packaging/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Lumaveil)
  set(CPACK_PACKAGE_FILE_NAME Lumaveil-${PROJECT_VERSION}-windows-x64)
else()
  include(GNUInstallDirs)
  set(linux ${packaging}/linux)
  set(id org.lumaveil.Lumaveil)
  install(TARGETS lumaveil-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(LUMAVEIL_BUILD_GUI)
    install(TARGETS lumaveil RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  install(FILES ${linux}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${linux}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size 32 48 64 128)
    install(FILES ${linux}/icons/lumaveil-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME lumaveil.png)
  endforeach()

  # Manual pages and the change log go in gzipped, as Debian has them, without the file's name
  # or time in the gzip header. The change log's date is the build's (or SOURCE_DATE_EPOCH's).
  set(docs ${PROJECT_BINARY_DIR}/packaging)
  string(TIMESTAMP LUMAVEIL_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${linux}/changelog.in ${docs}/changelog @ONLY)
  set(compressed "")
  foreach(source ${linux}/lumaveil.1 ${linux}/lumaveil-cli.1 ${docs}/changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${docs}/${name}.gz
                       COMMAND gzip -9 -n -c ${source} > ${docs}/${name}.gz
                       DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${docs}/${name}.gz)
  endforeach()
  add_custom_target(lumaveil_docs ALL DEPENDS ${compressed})
  install(FILES ${docs}/lumaveil.1.gz ${docs}/lumaveil-cli.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${linux}/copyright ${docs}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumaveil)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME lumaveil)
  set(CPACK_PACKAGE_DESCRIPTION
      "Lumaveil gives back files that a virus has hidden: pick a drive or folder,\n"
      "tick the attributes (Archive, Read-Only, Hidden, System) every file and\n"
      "folder beneath it should have, and press Scan. Every pass is journaled\n"
      "and can be undone.\n"
      "\n"
      "This package holds the desktop program and lumaveil-cli, the same pass\n"
      "for terminals and scripts.")
  string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries the programs link come from dpkg-shlibdeps; Qt's platform plugins are loaded at
  # run time, so no linked library names them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # The windows are laid out for these fonts' measures.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-dejavu-extra, fonts-liberation2")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
