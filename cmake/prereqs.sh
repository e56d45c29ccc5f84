#!/bin/sh
# Installs the Debian packages that building (and, with "test", testing)
# needs, when any of them is missing.
set -eu

packages="cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64"
if [ "${1:-build}" = test ]; then
  packages="$packages wine64 python3 python3-pefile python3-pil librsvg2-bin osslsigncode openssl git"
fi

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
