if(WIN32)
  # The Windows build: cmake --build --preset windows --target package
  # writes into the build folder scanlore-<version>-windows-x86_64.zip (the
  # programs beside the licence and a read-me) and
  # scanlore-<version>-windows-x86_64-setup.exe, the installer of the same
  # files (dist/windows/NSIS.template.in). Both take whatever the programs'
  # install() rules put into the install tree.
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt COPYONLY)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  find_program(SCANLORE_MAKENSIS makensis)
  if(SCANLORE_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  else()
    message(WARNING "No makensis (Debian package nsis): the package target makes the zip only")
  endif()
  set(CPACK_PACKAGE_NAME scanlore)
  set(CPACK_PACKAGE_VENDOR Pellmark)
  set(CPACK_PACKAGE_FILE_NAME scanlore-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  # The installer: our own template, its icon, the licence it shows, and the
  # four-number version that Windows wants in its version resource.
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/dist/windows)
  set(CPACK_NSIS_EXECUTABLE ${SCANLORE_MAKENSIS})
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Scanlore)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
  set(CPACK_SCANLORE_ICON ${PROJECT_SOURCE_DIR}/dist/windows/scanlore.ico)
  set(CPACK_SCANLORE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
  # The installer's name says what it is beside the zip.
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/dist/windows/CPackOptions.cmake)
  include(CPack)
  return()
endif()

# The Debian package: cmake --build --preset default --target package
# writes scanlore_<version>_amd64.deb into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scanlore)
set(CPACK_PACKAGE_VENDOR Pellmark)
set(CPACK_PACKAGE_CONTACT "Pellmark <scanlore@pellmark.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://pellmark.example/scanlore)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "radio scanner channel editor and uploader")
set(CPACK_PACKAGE_DESCRIPTION
  "Scanlore prepares the channel memory of a radio scanner and sends it to the
scanner over a serial line. Channels are edited in a grid (number, frequency
in MHz, description, car number, delay, lockout and priority flags) and kept
in CSV files that spreadsheets open too. Uploads go one-way to RadioShack
scanners made by GRE: Pro-76, Pro-79, Pro-82, Pro-89, Pro-2016 and Pro-2017.

The package also holds scanlore-vscanner, a virtual scanner on a
pseudo-terminal for trying Scanlore without a scanner.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories made for the package are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
