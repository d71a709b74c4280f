# The Debian package: `cpack -G DEB` in a build folder (scripts/make-package.sh
# runs it) makes zeph-sms_<version>_amd64.deb of what `cmake --install` puts
# under /usr. dpkg-shlibdeps works out the libraries it depends on.

include(GNUInstallDirs)

# packaging/changelog's newest entry is the release. Its version must be the
# project's; its date becomes the date of the man pages and of the AppStream
# release, so that the same sources make the same package.
set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} release_lines REGEX "^(zeph-sms \\(| -- )" LIMIT_COUNT 2)
list(GET release_lines 0 heading)
list(GET release_lines 1 trailer)
if(NOT heading MATCHES "^zeph-sms \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog: the first line names no version")
endif()
set(ZEPH_RELEASE_VERSION ${CMAKE_MATCH_1})
if(NOT ZEPH_RELEASE_VERSION STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog's newest entry is ${ZEPH_RELEASE_VERSION}, the "
                      "project is ${PROJECT_VERSION}: add an entry for the new version")
endif()
if(NOT trailer MATCHES "^ -- (.+ <[^>]+>)  (.+)$")
  message(FATAL_ERROR "packaging/changelog: the first entry has no ' -- name <address>  date' line")
endif()
set(ZEPH_PACKAGE_MAINTAINER ${CMAKE_MATCH_1})
set(release_date ${CMAKE_MATCH_2})
execute_process(COMMAND date -u -d "${release_date}" "+%s %Y-%m-%d" OUTPUT_VARIABLE dates
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT dates MATCHES "^([0-9]+) ([0-9-]+)$")
  message(FATAL_ERROR "packaging/changelog: '${release_date}' is no date")
endif()
set(ZEPH_RELEASE_EPOCH ${CMAKE_MATCH_1})
set(ZEPH_RELEASE_DATE ${CMAKE_MATCH_2})

# Debian's documentation folder: the changelog (gzip -n, without a name or
# time stamp in the header), the copyright file and the format documents.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zeph-sms)
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9nc < \"$0\" > \"$1\"" ${changelog} ${changelog_gz}
  DEPENDS ${changelog}
  VERBATIM)
add_custom_target(zeph-changelog ALL DEPENDS ${changelog_gz})
install(FILES ${changelog_gz} ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/docs/card-service.md ${PROJECT_SOURCE_DIR}/docs/cardctl.md
              ${PROJECT_SOURCE_DIR}/docs/store-files.md
        DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeph-sms)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT ${ZEPH_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEPH_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read, write, send and file short messages")
set(CPACK_PACKAGE_DESCRIPTION
    "Zeph SMS is a desktop program for short messages through the Tavik Zeph
wireless card, or through a GSM or LTE modem that ModemManager manages:
Inbox, Outbox with a background send engine, Sent messages, Delivery
reports, the SIM phonebook, picture messages, business cards and a chat
window.

It reaches the card through the card service, zeph-cardservice, which also
serves an emulated card, so that the program can be tried without one.
zeph-cardctl controls a running card service; zeph-store looks into the
program's store files.")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The packaged user unit runs the card service on a modem, which needs
# ModemManager; desktops that manage a network have it already, and the
# emulated card runs without it, hence a recommendation, not a dependency.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS modemmanager)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Policy: stripped programs, folders 0755, control files 0644.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
