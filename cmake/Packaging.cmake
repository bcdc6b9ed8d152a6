# Installation into the usual places of a Linux desktop, and the Debian package built from it
# (`make package`, or `cpack -G DEB` in a configured build folder).
include(GNUInstallDirs)

set(QUILLET_APP_ID "org.quillet.Lookup")
set(QUILLET_DESKTOP_DIR "${PROJECT_SOURCE_DIR}/resources/desktop")
set(QUILLET_ICON_THEME_DIR "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

# The program links only system libraries, so the installed binary needs no run path of its own.
set_target_properties(quillet-lookup PROPERTIES INSTALL_RPATH "")
install(TARGETS quillet-lookup RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${QUILLET_DESKTOP_DIR}/${QUILLET_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${QUILLET_DESKTOP_DIR}/${QUILLET_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The icon theme wants the name the desktop entry asks for, at each size the generator draws.
install(FILES "${PROJECT_SOURCE_DIR}/resources/pictures/icon.svg"
        DESTINATION "${QUILLET_ICON_THEME_DIR}/scalable/apps" RENAME "${QUILLET_APP_ID}.svg")
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/icon-${size}.png"
            DESTINATION "${QUILLET_ICON_THEME_DIR}/${size}x${size}/apps"
            RENAME "${QUILLET_APP_ID}.png")
endforeach()

# What Debian asks of every package besides the program: the licence, a change log and a manual
# page. The release date and version come from the AppStream file, which must name this version.
file(READ "${QUILLET_DESKTOP_DIR}/${QUILLET_APP_ID}.metainfo.xml" metainfo)
if(NOT metainfo MATCHES "<release version=\"([^\"]+)\" date=\"([^\"]+)\"")
    message(FATAL_ERROR "${QUILLET_APP_ID}.metainfo.xml lists no release")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "the newest release in ${QUILLET_APP_ID}.metainfo.xml is ${CMAKE_MATCH_1}, "
                        "not ${PROJECT_VERSION}: add a <release> for it")
endif()
execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2}" OUTPUT_VARIABLE release_date
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# No mailbox exists for the project; the reserved .invalid domain says so to anyone who tries.
set(QUILLET_MAINTAINER "Quillet Lookup developers <developers@quillet-lookup.invalid>")
set(package_docs "${PROJECT_BINARY_DIR}/package-docs")
file(WRITE "${package_docs}/changelog" "\
${PROJECT_NAME} (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${QUILLET_MAINTAINER}  ${release_date}
")
# Compressed without a name or time stamp, so that the same sources give the same package.
foreach(source IN ITEMS "${package_docs}/changelog" "${PROJECT_SOURCE_DIR}/resources/quillet-lookup.1")
    get_filename_component(name "${source}" NAME)
    add_custom_command(OUTPUT "${package_docs}/${name}.gz"
                       COMMAND gzip -9nc "${source}" > "${package_docs}/${name}.gz"
                       DEPENDS "${source}" VERBATIM)
endforeach()
add_custom_target(package-docs ALL
                  DEPENDS "${package_docs}/changelog.gz" "${package_docs}/quillet-lookup.1.gz")
install(FILES "${PROJECT_SOURCE_DIR}/resources/debian/copyright" "${package_docs}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES "${package_docs}/quillet-lookup.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quillet-lookup")
set(CPACK_PACKAGE_VENDOR "Quillet Lookup developers")
set(CPACK_PACKAGE_CONTACT "${QUILLET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants the lines of the long description within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Quillet Lookup checks one domain name under many suffixes at
once. It opens one result tab per suffix in use, each showing the web WHOIS
page for that domain.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
# Libraries come from the binary itself; the windowing plugins are loaded at run time, so no
# library link shows them, and the DNS hints validate with the root's key that dns-root-data
# keeps current.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(LOOKUP_DNS_HINTS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, dns-root-data")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
