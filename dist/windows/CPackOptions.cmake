# Read by cpack for each package it makes (CPACK_PROJECT_CONFIG_FILE): the
# installer is scanlore-<version>-windows-x86_64-setup.exe beside the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
