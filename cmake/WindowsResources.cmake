# Gives a Windows program the application icon and a version resource made
# from project()'s version, the one place the version is written:
#   scanlore_windows_resources(<target> "<description for Explorer>")
function(scanlore_windows_resources target description)
  set(SCANLORE_ICO ${PROJECT_SOURCE_DIR}/dist/windows/scanlore.ico)
  set(SCANLORE_RC_DESCRIPTION "${description}")
  set(SCANLORE_RC_NAME ${target})
  # FILEVERSION takes four numbers: 0.20 is 0,20,0,0.
  set(numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK})
  set(SCANLORE_VERSION_COMMAS "")
  foreach(number IN LISTS numbers)
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND SCANLORE_VERSION_COMMAS ${number})
  endforeach()
  # project() with two numbers leaves the last two empty, which the list drops.
  list(LENGTH SCANLORE_VERSION_COMMAS count)
  while(count LESS 4)
    list(APPEND SCANLORE_VERSION_COMMAS 0)
    math(EXPR count "${count} + 1")
  endwhile()
  list(JOIN SCANLORE_VERSION_COMMAS "," SCANLORE_VERSION_COMMAS)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The icon is read by the resource compiler, not configured.
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${SCANLORE_ICO})
  scanlore_utf8_code_page(${target})
endfunction()

# Gives a Windows program (tests too) the manifest that makes UTF-8 its code
# page: Scanlore keeps paths in UTF-8 and opens them with the narrow calls.
function(scanlore_utf8_code_page target)
  set(SCANLORE_UTF8_MANIFEST ${PROJECT_SOURCE_DIR}/dist/windows/utf8.manifest)
  set(rc ${PROJECT_BINARY_DIR}/utf8-code-page.rc)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/utf8.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${SCANLORE_UTF8_MANIFEST})
endfunction()
