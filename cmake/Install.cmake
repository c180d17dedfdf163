# What `cmake --install` and the package put on a system. The program and
# our `net` live together in a private folder, so the program finds its own
# `net` first and a `net` of another package on PATH (Samba's) is left
# alone; links put `brisquel` itself and our `net` (as brisquel-net) on
# PATH, and the desktop entry starts the launcher beside them. Every file goes through install() or
# file(INSTALL), so the install manifest lists all of them.
include(GNUInstallDirs)
include(Identity)

# Two packages come from one build: the program (component brisquel) and the
# receiver service (component receiver, cmake/InstallReceiver.cmake).
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME brisquel)

# The private folder holds programs, not libraries, so it stays out of the
# multiarch folder GNUInstallDirs picks for the prefix /usr on Debian: the
# programs are /usr/lib/brisquel/..., as smb.conf and the README name them.
set(private_libdir ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE)
    string(REGEX REPLACE "/${CMAKE_LIBRARY_ARCHITECTURE}$" "" private_libdir "${private_libdir}")
endif()
set(BRISQUEL_PRIVATE_DIR ${private_libdir}/brisquel)
set(staging ${CMAKE_BINARY_DIR}/install-files)

install(TARGETS brisquel net RUNTIME DESTINATION ${BRISQUEL_PRIVATE_DIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/brisquel-launcher DESTINATION ${BRISQUEL_PRIVATE_DIR})

# The links are made here and installed as links, relative so they hold
# under any prefix. Our `net` goes on PATH as brisquel-net, the name of its
# manual page: plain `net` is Samba's.
file(MAKE_DIRECTORY ${staging}/bin)
foreach(link brisquel:brisquel brisquel-net:net)
    string(REPLACE ":" ";" link ${link})
    list(GET link 0 link_name)
    list(GET link 1 program)
    file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${BRISQUEL_PRIVATE_DIR}/${program})
    file(CREATE_LINK ${link_target} ${staging}/bin/${link_name} SYMBOLIC)
    install(FILES ${staging}/bin/${link_name} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The desktop entry names the launcher by its full path, which is known only
# once the prefix is (cpack installs under its own).
set(desktop_template ${CMAKE_SOURCE_DIR}/packaging/brisquel.desktop.in)
install(CODE "
    set(BRISQUEL_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${BRISQUEL_PRIVATE_DIR}/brisquel-launcher\")
    configure_file(\"${desktop_template}\" \"${staging}/applications/brisquel.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"${staging}/applications/brisquel.desktop\")
")

configure_file(${CMAKE_SOURCE_DIR}/packaging/brisquel.metainfo.xml.in
               ${staging}/metainfo/${BRISQUEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${staging}/metainfo/${BRISQUEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size ${BRISQUEL_ICON_SIZES})
    install(FILES ${BRISQUEL_ICON_DIR}/${size}x${size}/brisquel.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${BRISQUEL_ICON_DIR}/scalable/brisquel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, English and Spanish, compressed as Debian wants them.
set(manuals)
function(brisquel_install_manual page section component)
    foreach(language en es)
        if(language STREQUAL "en")
            set(source ${CMAKE_SOURCE_DIR}/packaging/man/${page}.${section})
            set(folder man${section})
        else()
            set(source ${CMAKE_SOURCE_DIR}/packaging/man/${page}.${language}.${section})
            set(folder ${language}/man${section})
        endif()
        set(compressed ${staging}/man/${folder}/${page}.${section}.gz)
        add_custom_command(OUTPUT ${compressed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}/man/${folder}
            COMMAND gzip -9nc ${source} > ${compressed}
            DEPENDS ${source} VERBATIM)
        list(APPEND manuals ${compressed})
        install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder} COMPONENT ${component})
    endforeach()
    set(manuals ${manuals} PARENT_SCOPE)
endfunction()
brisquel_install_manual(brisquel 1 brisquel)
brisquel_install_manual(brisquel-net 1 brisquel)

# Debian's documentation of each package: the licence in machine-readable
# form and the changelog; and what lintian is told about the package.
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/copyright.in ${staging}/doc/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in ${staging}/doc/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${staging}/doc/changelog.Debian.gz
    COMMAND gzip -9nc ${staging}/doc/changelog.Debian > ${staging}/doc/changelog.Debian.gz
    DEPENDS ${staging}/doc/changelog.Debian VERBATIM)
# A package's own lintian overrides, if any, follow the common ones.
function(brisquel_install_debian_files package component)
    install(FILES ${staging}/doc/copyright ${staging}/doc/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
    set(BRISQUEL_DEB_PACKAGE ${package})
    configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/lintian-overrides.in
                   ${staging}/lintian/${package} @ONLY)
    set(own ${CMAKE_SOURCE_DIR}/packaging/debian/${component}.lintian-overrides)
    if(EXISTS ${own})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${own})
        file(READ ${own} text)
        file(APPEND ${staging}/lintian/${package} "${text}")
    endif()
    install(FILES ${staging}/lintian/${package}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT ${component})
endfunction()
brisquel_install_debian_files(brisquel brisquel)

include(InstallReceiver)

add_custom_target(brisquel_install_files ALL DEPENDS ${manuals} ${staging}/doc/changelog.Debian.gz)
include(Package)
