#!/bin/sh
# Builds the Debian package of this build into a temporary folder and runs
# Debian's checkers on it: lintian on the package, desktop-file-validate on
# the desktop entry, appstreamcli on the AppStream data and on the whole
# tree (entry, icon and data must agree). Any error or warning fails, and
# so does any note of lintian's but two known ones.
#
#   check_package.sh BUILD_DIR
set -eu

build=$1
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
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

failed=0
echo "== lintian"
report=$(lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" 2>&1) || failed=1
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

exit $failed
