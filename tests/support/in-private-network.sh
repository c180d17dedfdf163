#!/bin/sh
# Runs a test in a network namespace of its own with only loopback up, so
# nothing it sends (a DNS query for a name that does not exist, a NetBIOS
# broadcast) can leave this machine, and its servers' ports never clash with
# another test's. Root makes the namespace directly; anyone else makes it in
# a user namespace of their own. Where neither can be made the test is
# skipped (77, which CTest counts as skipped): it never runs on the host's
# network.
skipped=77

if [ "$(id -u)" = 0 ]; then
    make_namespace='unshare --net'
else
    make_namespace='unshare --map-root-user --net'
fi

if ! $make_namespace true 2>/dev/null; then
    echo "in-private-network: cannot make a private network namespace here ($make_namespace failed); skipping $1" >&2
    exit $skipped
fi
exec $make_namespace sh -c 'ip link set lo up && exec "$0" "$@"' "$@"
