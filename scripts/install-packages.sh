#!/bin/sh
# Installs the Debian packages named that are not installed yet, and nothing
# when all are, so a set-up machine does no apt work at all.
#
# A package may bring a system service (Samba's smbd and nmbd). The test
# suite runs a private server of its own and needs none of them, so no
# service may start while installing (a policy-rc.d that says no, unless the
# system has one already), and the services of the packages installed here
# are disabled at boot afterwards. Services of packages that were already
# installed are left as they were.
set -eu

missing=
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        missing="$missing $package"
done
[ -n "$missing" ] || exit 0

sudo=
[ "$(id -u)" = 0 ] || sudo=sudo

policy=/usr/sbin/policy-rc.d
own_policy=
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\n# Left by Brisquel while installing packages: start no service.\nexit 101\n' |
        $sudo tee "$policy" >/dev/null
    $sudo chmod 755 "$policy"
    own_policy=yes
fi
remove_policy() {
    if [ -n "$own_policy" ]; then
        $sudo rm -f "$policy"
    fi
}
trap remove_policy EXIT
trap 'exit 130' INT TERM

echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086 # one word a package
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

# The services the new packages brought, by the units and init scripts they
# installed; disabled for systemd and for the SysV links alike.
for package in $missing; do
    dpkg-query -L "$package" 2>/dev/null |
        sed -n 's|^/lib/systemd/system/\([^/@]*\)\.service$|\1|p; s|^/etc/init\.d/\([^/]*\)$|\1|p'
done | sort -u | while read -r service; do
    # An alias (smb for smbd) goes with the unit it names.
    [ ! -L "/lib/systemd/system/$service.service" ] || continue
    echo "Turning off the service $service, which came with a package installed here"
    if command -v systemctl >/dev/null 2>&1; then
        $sudo systemctl disable --quiet "$service" 2>/dev/null || true
        $sudo systemctl stop "$service" 2>/dev/null || true
    fi
    if [ -e "/etc/init.d/$service" ] && command -v update-rc.d >/dev/null 2>&1; then
        $sudo update-rc.d "$service" disable >/dev/null 2>&1 || true
    fi
done
