#!/bin/sh
# Builds the Debian packages of this build into a temporary folder and runs
# Debian's checkers on them: lintian on both packages, desktop-file-validate
# on the desktop entry, appstreamcli on the AppStream data and on the whole
# tree (entry, icon and data must agree). Any error or warning fails, and
# so does any note of lintian's but two known ones. Then the receiver's
# package is checked for what its users are told: the program its service
# unit starts and the one smb.conf is told to run are there, the files in
# /etc are conffiles, and nothing enables a unit.
#
#   check_package.sh BUILD_DIR [SOURCE_DIR]
set -eu

build=$1
source=${2:-$(dirname "$0")/../..}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is missing: make test installs it" >&2
        exit 1
    fi
done

cpack --config "$build/CPackConfig.cmake" -B "$work/out" -G DEB >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/brisquel_*.deb)
receiver=$(ls "$work"/out/brisquel-receiver_*.deb)

failed=0
for package in "$deb" "$receiver"; do
    echo "== lintian $(basename "$package"), $(stat -c %s "$package") bytes"
    report=$(lintian --fail-on error,warning --display-info --tag-display-limit 0 "$package" 2>&1) || failed=1
    # Root is warned about; the checks are the same.
    printf '%s\n' "$report" | grep -v 'running with root privileges' || true
    # Lintian's notes fail too, but for two that every build of ours gets: the
    # compiler's .comment section, and no libc call that fortify would replace
    # (the code leaves such calls to Qt).
    expected_notes='binary-has-unneeded-section|hardening-no-fortify-functions'
    if printf '%s\n' "$report" | grep '^I: ' | grep -Evq "^I: [^ ]+ ($expected_notes) "; then
        echo "lintian notes more than the expected ones"
        failed=1
    fi
done

dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate"
for entry in "$work"/root/usr/share/applications/*.desktop; do
    complaints=$(desktop-file-validate "$entry" 2>&1) || failed=1
    if [ -n "$complaints" ]; then
        echo "$complaints"
        failed=1
    fi
done

echo "== manual pages"
# Each page of section 1 names a command on PATH that resolves inside the
# package, and a page shows captions as the window draws them, without the
# "&" that marks an accelerator.
for page in "$work"/root/usr/share/man/man1/*.1.gz "$work"/root/usr/share/man/*/man1/*.1.gz; do
    command=$(basename "$page" .1.gz)
    target=$(readlink -f "$work/root/usr/bin/$command")
    if [ ! -e "$work/root/usr/bin/$command" ]; then
        echo "$page: no $command in /usr/bin of the package"
        failed=1
    elif [ "${target#"$work"/root/}" = "$target" ] || [ ! -x "$target" ]; then
        echo "/usr/bin/$command: leads to $target, not to a program of the package"
        failed=1
    fi
    if zcat "$page" | grep -Eq '&[[:alpha:]]'; then
        echo "$page: an accelerator's & is printed:"
        zcat "$page" | grep -E '&[[:alpha:]]'
        failed=1
    fi
done

echo "== appstreamcli validate"
appstreamcli validate --no-net --pedantic "$work"/root/usr/share/metainfo/*.metainfo.xml || failed=1
appstreamcli validate-tree --no-net "$work/root" || failed=1

echo "== brisquel-receiver"
complain() {
    echo "$1"
    failed=1
}
dpkg-deb -x "$receiver" "$work/receiver"
dpkg-deb -e "$receiver" "$work/receiver-control"
dpkg-deb -f "$deb" Suggests | grep -qw brisquel-receiver || complain "brisquel does not suggest brisquel-receiver"
units="$work/receiver/usr/lib/systemd/system"
for unit in brisquel-receiver.service brisquel-receiver.socket brisquel-receiver-network.socket; do
    [ -f "$units/$unit" ] || complain "no unit $unit"
done
program=$(sed -n 's/^ExecStart=//p' "$units/brisquel-receiver.service")
[ -x "$work/receiver$program" ] || complain "the service starts $program, which the package lacks"
# The line the README and the manual pages give for smb.conf.
for document in "$source/README.md" "$source"/packaging/man/brisquel-receiver*.8; do
    deliver=$(sed -n 's/\\-/-/g; s/^.*message command = \([^ ]*brisquel-deliver\) .*$/\1/p' "$document" | sort -u)
    [ -n "$deliver" ] || complain "$document gives no message command"
    for path in $deliver; do
        [ -x "$work/receiver$path" ] || complain "$document runs $path, which the package lacks"
    done
done
for file in $(cd "$work/receiver" && find etc -type f); do
    grep -qx "/$file" "$work/receiver-control/conffiles" || complain "/$file is no conffile"
done
if find "$work/receiver" -path '*/systemd/system/*.wants*' | grep -q . ||
    grep -Ew 'enable|start|restart' "$work"/receiver-control/*inst "$work"/receiver-control/*rm; then
    complain "the package enables or starts its units itself"
fi

exit $failed
