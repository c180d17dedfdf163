# What the package brisquel-receiver puts on a system: the service, Samba's
# hand-off program beside the program's own private ones, the systemd units
# (disabled until the administrator enables them), the configuration with
# its defaults commented out, a ufw profile for its ports, its manual pages.
# Included by Install.cmake, whose folders and helpers it uses.

if(TARGET brisquel-receiver)
    install(TARGETS brisquel-receiver RUNTIME DESTINATION ${CMAKE_INSTALL_SBINDIR} COMPONENT receiver)
endif()
if(TARGET brisquel-deliver)
    install(TARGETS brisquel-deliver RUNTIME DESTINATION ${BRISQUEL_PRIVATE_DIR} COMPONENT receiver)
endif()

# The service unit names the program by its full path, known only once the
# prefix is. Units under <prefix>/lib/systemd/system: systemd reads both
# /usr/lib and /usr/local/lib.
set(units ${CMAKE_SOURCE_DIR}/packaging/systemd)
install(CODE "
    set(BRISQUEL_RECEIVER_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_SBINDIR}/brisquel-receiver\")
    configure_file(\"${units}/brisquel-receiver.service.in\" \"${staging}/systemd/brisquel-receiver.service\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/system\" TYPE FILE FILES
         \"${staging}/systemd/brisquel-receiver.service\"
         \"${units}/brisquel-receiver.socket\"
         \"${units}/brisquel-receiver-network.socket\")
" COMPONENT receiver)

# Files under /etc belong to the administrator: the package marks them as
# conffiles, and an install by hand leaves one that is already there alone.
# An install into a prefix of one's own (no root) keeps them there too.
install(CODE "
    if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?$\")
        set(config_root /etc)
    else()
        set(config_root \"\${CMAKE_INSTALL_PREFIX}/etc\")
    endif()
    foreach(pair \"brisquel/receiver.conf=${CMAKE_SOURCE_DIR}/packaging/receiver/receiver.conf\"
                 \"ufw/applications.d/brisquel-receiver=${CMAKE_SOURCE_DIR}/packaging/receiver/brisquel-receiver.ufw\")
        string(REPLACE \"=\" \";\" pair \"\${pair}\")
        list(GET pair 0 target)
        list(GET pair 1 source)
        set(target \"\${config_root}/\${target}\")
        if(EXISTS \"\$ENV{DESTDIR}\${target}\")
            message(STATUS \"Kept: \$ENV{DESTDIR}\${target}\")
        else()
            get_filename_component(folder \"\${target}\" DIRECTORY)
            get_filename_component(name \"\${target}\" NAME)
            file(INSTALL DESTINATION \"\${folder}\" TYPE FILE RENAME \"\${name}\" FILES \"\${source}\")
        endif()
    endforeach()
" COMPONENT receiver)

brisquel_install_manual(brisquel-receiver 8 receiver)
brisquel_install_debian_files(brisquel-receiver receiver)
