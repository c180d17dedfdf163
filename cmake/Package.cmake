# make package: Debian packages that lintian passes clean. Binaries are
# stripped (the debug symbols stay in the build tree); hardening comes from
# the build flags (Hardening.cmake). The icon cache, the desktop menu and the
# manual index are refreshed by the triggers of the packages that own them,
# so the program's package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
# One Debian package per install component: brisquel, the program, and
# brisquel-receiver, the service, both from the source package brisquel.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL brisquel receiver)
set(CPACK_PACKAGE_NAME brisquel)
set(CPACK_DEBIAN_PACKAGE_SOURCE brisquel)
set(CPACK_DEBIAN_BRISQUEL_PACKAGE_NAME brisquel)
set(CPACK_DEBIAN_RECEIVER_PACKAGE_NAME brisquel-receiver)
set(CPACK_PACKAGE_VERSION ${BRISQUEL_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${BRISQUEL_DEB_REVISION})
set(CPACK_PACKAGE_CONTACT "${BRISQUEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRISQUEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BRISQUEL_HOMEPAGE}")
# Each description starts with its own summary line: CPack would put a
# common CPACK_PACKAGE_DESCRIPTION_SUMMARY before both.
set(CPACK_DEBIAN_BRISQUEL_DESCRIPTION "desktop front end for net send messages
Brisquel sends short messages with net send, the messenger service of
Windows networks. A bank of twelve buttons sends the message being typed
to a listed user, or to every member of a listed group; messages can also
go to names typed by hand. A tray icon offers a quick-message strip.

The package brings its own net command, which delivers the messages from
Linux with the messenger protocol (NetBIOS session service, TCP 139 or
445). They pop up on older Windows systems and on Linux machines whose
Samba server runs a message command, or that run brisquel-receiver.

The user interface is in Spanish.")
set(CPACK_DEBIAN_RECEIVER_DESCRIPTION "service receiving net send messages for the desktop
brisquel-receiver receives the messages of the messenger service of
Windows networks (net send) without Samba: it answers NetBIOS name queries
for this machine on UDP 137 and takes messages on TCP 139, keeps each one
safely on disk before the sender is told it arrived, and hands it to the
desktop of the user it is for, through a local socket that desktop
clients connect to.

It runs as a sandboxed systemd service with no privileges, started by its
socket units, which are installed disabled. Where Samba holds the ports,
brisquel-deliver, run as Samba's message command, hands it the messages
Samba receives.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Qt's own dialogs speak Spanish with it.
set(CPACK_DEBIAN_BRISQUEL_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_BRISQUEL_PACKAGE_SUGGESTS brisquel-receiver)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_BRISQUEL_PACKAGE_DEPENDS "libqt6widgets6, libqt6network6")
    set(CPACK_DEBIAN_RECEIVER_PACKAGE_DEPENDS "libqt6network6, libsystemd0")
endif()
# The receiver's configuration and ufw profile are conffiles; its scripts
# only tell systemd that units came or went, and stop the service when the
# package goes. Enabling stays with the administrator.
set(receiver_control ${CMAKE_BINARY_DIR}/install-files/debian-receiver)
file(WRITE ${receiver_control}/conffiles
     "/etc/brisquel/receiver.conf\n/etc/ufw/applications.d/brisquel-receiver\n")
foreach(script postinst prerm postrm)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/receiver.${script} ${receiver_control}/${script} COPYONLY)
endforeach()
set(CPACK_DEBIAN_RECEIVER_PACKAGE_CONTROL_EXTRA
    ${receiver_control}/conffiles ${receiver_control}/postinst ${receiver_control}/prerm ${receiver_control}/postrm)
# Packaging and installing take the build as it stands (make package builds
# first), so the package check of the test suite does not walk the whole
# build again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
