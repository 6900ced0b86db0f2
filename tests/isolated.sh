#!/bin/sh
# Runs a test program with a fresh home, XDG folders and program folder, removed afterwards,
# so tests can run in parallel without touching a real user's files or each other's locks.
root=$(mktemp -d "${TMPDIR:-/tmp}/qltest.XXXXXX") || exit 1
mkdir -p "$root/home" "$root/data" "$root/run" "$root/prog"
chmod 700 "$root/run"
HOME="$root/home" XDG_DATA_HOME="$root/data" XDG_RUNTIME_DIR="$root/run" QL_HOME="$root/prog/" \
  TMPDIR="$root" "$@"
rc=$?
chmod -R u+rwX "$root" 2>/dev/null
rm -rf "$root"
exit $rc
