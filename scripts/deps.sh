#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
set -e
packages="cmake g++ ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgtest-dev libgmock-dev
  libbenchmark-dev nlohmann-json3-dev fonts-liberation fonts-dejavu-core clang libclang-rt-14-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
