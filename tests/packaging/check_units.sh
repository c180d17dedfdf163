#!/bin/sh
# Checks the receiver's systemd units as systemd itself reads them: the
# service's exposure, as `systemd-analyze security` rates it offline, must be
# 2.0 or lower, and `systemd-analyze verify` must take the three units
# without a word of complaint. Exit 77 (skipped) where systemd-analyze is
# missing or cannot run.
#
#   check_units.sh UNITS_FOLDER
set -eu

units=$1
limit=2.0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v systemd-analyze >/dev/null 2>&1; then
    echo "systemd-analyze is missing (Debian package systemd): skipped"
    exit 77
fi

# The program's path is filled in at install time; any existing program
# serves for the checks.
sed 's|@BRISQUEL_RECEIVER_PROGRAM@|/bin/true|' "$units/brisquel-receiver.service.in" >"$work/brisquel-receiver.service"
cp "$units"/*.socket "$work/"

failed=0

# It would hide the uids of the users whose desktops connect.
if grep -n '^[[:space:]]*PrivateUsers=' "$work/brisquel-receiver.service"; then
    echo "the service must not set PrivateUsers="
    failed=1
fi

if ! report=$(systemd-analyze security --offline=true --no-pager "$work/brisquel-receiver.service" 2>&1); then
    printf '%s\n' "$report" | tail -5
    echo "systemd-analyze security cannot run here: skipped"
    exit 77
fi
exposure=$(printf '%s\n' "$report" | sed -n 's/^.*Overall exposure level for [^:]*: \([0-9.]*\).*$/\1/p')
if [ -z "$exposure" ]; then
    printf '%s\n' "$report"
    echo "no overall exposure level in the report"
    exit 1
fi
echo "exposure: $exposure (at most $limit)"
if ! awk -v e="$exposure" -v l="$limit" 'BEGIN { exit !(e <= l) }'; then
    printf '%s\n' "$report" | grep '✗'
    failed=1
fi

# verify says what it ignores but still exits 0, so any output fails.
complaints=$(systemd-analyze verify --man=no --no-pager \
    "$work/brisquel-receiver.service" "$work/brisquel-receiver.socket" \
    "$work/brisquel-receiver-network.socket" 2>&1) || failed=1
if [ -n "$complaints" ]; then
    printf '%s\n' "$complaints"
    failed=1
fi
echo "verify: $( [ -z "$complaints" ] && echo clean || echo complaints)"

exit $failed
