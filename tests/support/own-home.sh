#!/bin/sh
# own-home.sh COMMAND [ARGUMENT...]
# Runs COMMAND with a home, settings, cache and runtime folder of its own, removed when it ends: what a
# session's services (the accessibility bus, dconf) would keep in the user's folders stays out of them.
set -eu
own=$(mktemp -d)
trap 'rm -rf "$own"' EXIT
trap 'exit 130' INT TERM
status=0
HOME=$own XDG_CONFIG_HOME=$own/config XDG_CACHE_HOME=$own/cache XDG_DATA_HOME=$own/data \
    XDG_STATE_HOME=$own/state XDG_RUNTIME_DIR=$own "$@" || status=$?
exit $status
