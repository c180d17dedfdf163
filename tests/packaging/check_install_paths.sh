#!/bin/sh
# Configures the source for the prefix /usr, where GNUInstallDirs picks the
# multiarch library folder on Debian, and checks where the install would put
# the private programs: in /usr/lib/brisquel, the folder the README, the
# manual pages and smb.conf's message command name, and never in the
# multiarch folder.
#
#   check_install_paths.sh SOURCE_DIR
set -eu

source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$source" -B "$work" -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
rules=$(cat "$work/cmake_install.cmake" "$work"/*/cmake_install.cmake 2>/dev/null | grep 'file(INSTALL DESTINATION')

failed=0
for program in brisquel net brisquel-launcher brisquel-deliver; do
    folder=$(printf '%s\n' "$rules" | grep -E "TYPE (EXECUTABLE|PROGRAM) FILES \"[^\"]*/$program\"" | sed -n 's/^.*DESTINATION "\${CMAKE_INSTALL_PREFIX}\/\([^"]*\)".*$/\1/p')
    echo "$program: /usr/$folder"
    if [ "$folder" != lib/brisquel ]; then
        echo "  expected /usr/lib/brisquel"
        failed=1
    fi
done
exit $failed
