# Man pages made from the programs' own --help by help2man at build time, so
# that they never fall behind the options. A program adds its page next to
# its install rule:
#   zeph_man_page(zeph-store "look into Zeph SMS store files")
# docs/man/<program>.h2m, when present, adds hand-written sections (FILES,
# ENVIRONMENT, SEE ALSO ...); see help2man's --include. A program with
# subcommands gets a COMMANDS section from each subcommand's --help.
#
# The programs run at build time, so the pages are left out of sanitizer
# builds and cross builds, and of any build without help2man.

include(GNUInstallDirs)

find_program(ZEPH_HELP2MAN help2man)
if(ZEPH_SANITIZE OR CMAKE_CROSSCOMPILING)
  set(ZEPH_MAN_PAGES OFF)
elseif(NOT ZEPH_HELP2MAN)
  message(STATUS "help2man not found: no man pages")
  set(ZEPH_MAN_PAGES OFF)
else()
  set(ZEPH_MAN_PAGES ON)
endif()

function(zeph_man_page program summary)
  if(NOT ZEPH_MAN_PAGES)
    return()
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  set(include ${PROJECT_SOURCE_DIR}/docs/man/${program}.h2m)
  set(depends ${program} ${PROJECT_SOURCE_DIR}/cmake/ZephMakeManPage.cmake)
  if(EXISTS ${include})
    list(APPEND depends ${include})
  else()
    set(include "")
  endif()
  add_custom_command(
    OUTPUT ${page}
    COMMAND
      ${CMAKE_COMMAND} -DHELP2MAN=${ZEPH_HELP2MAN} -DPROGRAM=$<TARGET_FILE:${program}>
      -DSUMMARY=${summary} -DVERSION=${PROJECT_VERSION} -DINCLUDE=${include}
      -DDATE_EPOCH=${ZEPH_RELEASE_EPOCH} -DOUTPUT=${page} -P
      ${PROJECT_SOURCE_DIR}/cmake/ZephMakeManPage.cmake
    DEPENDS ${depends}
    COMMENT "Man page of ${program}"
    VERBATIM)
  add_custom_target(${program}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
