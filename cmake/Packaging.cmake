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

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quillet-lookup")
set(CPACK_PACKAGE_VENDOR "Quillet Lookup developers")
set(CPACK_PACKAGE_CONTACT "Quillet Lookup developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Quillet Lookup checks one domain name under many suffixes at \
once. It opens one result tab per suffix in use, each showing the web WHOIS page for that domain.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
# Libraries come from the binary itself; the windowing plugins are loaded at run time, so no
# library link shows them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
