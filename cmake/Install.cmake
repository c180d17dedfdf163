# The program and our `net` live together in a private folder, so the
# program finds its own `net` first and a `net` of another package on PATH
# (Samba's) is left alone; a link puts `brisquel` itself on PATH.
include(GNUInstallDirs)

set(BRISQUEL_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/brisquel)
install(TARGETS brisquel RUNTIME DESTINATION ${BRISQUEL_PRIVATE_DIR})
if(TARGET net)
    install(TARGETS net RUNTIME DESTINATION ${BRISQUEL_PRIVATE_DIR})
endif()
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
         \"\${CMAKE_INSTALL_PREFIX}/${BRISQUEL_PRIVATE_DIR}/brisquel\")
    file(CREATE_LINK \"\${target}\" \"\${bin}/brisquel\" SYMBOLIC)
")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/brisquel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16x16 32x32)
    install(FILES ${BRISQUEL_ICON_DIR}/${size}/brisquel.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

# make package: a Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisquel)
set(CPACK_PACKAGE_VERSION 2.4.0)
set(CPACK_PACKAGE_CONTACT "Equipo de Brisquel <brisquel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Envía mensajes con net send a usuarios y grupos")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
# Qt's own dialogs speak Spanish with it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6network6")
endif()
include(CPack)
