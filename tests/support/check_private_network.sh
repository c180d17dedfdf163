#!/bin/sh
# The wrapper that keeps tests off the host's network: inside it only
# loopback exists and is up, for root and for anyone else alike; where no
# namespace can be made it says so and skips (77) rather than run the test
# on the host's network.
#
#   check_private_network.sh PATH/TO/in-private-network.sh
set -u

wrapper=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

fail() {
    echo "FAIL: $*"
    failed=1
}

# Prints the interfaces the caller sees, one "name state-flags" a line.
cat >"$work/interfaces" <<'SCRIPT'
#!/bin/sh
ip -o link show | awk -F': ' '{ print $2, $3 }'
SCRIPT
chmod 755 "$work/interfaces"

only_loopback_up() {
    seen=$1
    if [ "$(printf '%s\n' "$seen" | wc -l)" -ne 1 ] ||
        ! printf '%s\n' "$seen" | grep -q '^lo <LOOPBACK,UP'; then
        fail "$2: expected only lo, up; saw: $seen"
    fi
}

# As whoever runs the suite.
seen=$("$wrapper" "$work/interfaces" 2>&1)
status=$?
if [ $status -eq 77 ]; then
    echo "no namespace can be made here; the wrapper skipped as it should"
else
    only_loopback_up "$seen" "as $(id -un)"
fi

# As a user without privileges, through a user namespace. The wrapper is
# copied where that user can read it, which also shows it needs nothing
# beside it.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1; then
    cp "$wrapper" "$work/wrapper.sh"
    chmod 755 "$work" "$work/wrapper.sh"
    seen=$(setpriv --reuid=65534 --regid=65534 --clear-groups "$work/wrapper.sh" "$work/interfaces" 2>&1)
    status=$?
    if [ $status -ne 77 ]; then
        only_loopback_up "$seen" "as an unprivileged user"
    fi
fi

# No unshare at all, then one that refuses: a message and 77, and the
# command never runs.
mkdir "$work/bin" "$work/refusing"
for tool in sh id ip awk; do
    ln -s "$(command -v $tool)" "$work/bin/$tool"
    ln -s "$(command -v $tool)" "$work/refusing/$tool"
done
printf '#!/bin/sh\nexit 1\n' >"$work/refusing/unshare"
chmod 755 "$work/refusing/unshare"
for folder in bin refusing; do
    rm -f "$work/ran"
    PATH="$work/$folder" "$wrapper" /bin/touch "$work/ran" 2>"$work/said"
    status=$?
    [ $status -eq 77 ] || fail "without a working unshare ($folder): exit $status, not 77"
    [ -s "$work/said" ] || fail "without a working unshare ($folder): nothing said on standard error"
    [ ! -e "$work/ran" ] || fail "without a working unshare ($folder): the command ran on the host's network"
done

[ $failed -eq 0 ] && echo "all cases hold"
exit $failed
