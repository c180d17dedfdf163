# make package: a Debian package that lintian passes clean. Binaries are
# stripped (the debug symbols stay in the build tree); hardening comes from
# the build flags (Hardening.cmake). The icon cache, the desktop menu and the
# manual index are refreshed by the triggers of the packages that own them,
# so the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisquel)
set(CPACK_PACKAGE_VERSION ${BRISQUEL_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${BRISQUEL_DEB_REVISION})
set(CPACK_PACKAGE_CONTACT "${BRISQUEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRISQUEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BRISQUEL_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop front end for net send messages")
set(CPACK_PACKAGE_DESCRIPTION "\
Brisquel sends short messages with net send, the messenger service of
Windows networks. A bank of twelve buttons sends the message being typed
to a listed user, or to every member of a listed group; messages can also
go to names typed by hand. A tray icon offers a quick-message strip.

The package brings its own net command, which delivers the messages from
Linux with the messenger protocol (NetBIOS session service, TCP 139 or
445). They pop up on older Windows systems and on Linux machines whose
Samba server runs a message command.

The user interface is in Spanish.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Qt's own dialogs speak Spanish with it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6network6")
endif()
# Packaging and installing take the build as it stands (make package builds
# first), so the package check of the test suite does not walk the whole
# build again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
