#!/usr/bin/env bash
# Installs those of the named Debian packages that are not installed yet: as root, through sudo
# where it is installed, and otherwise says what to run as root. Messages go to standard error,
# so that scripts that print their results can call it.
#
#   scripts/need-packages.sh PACKAGE...
set -euo pipefail

missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "All needed packages are installed." >&2
    exit 0
fi

install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root (sudo is not installed here), then run this again:" >&2
    echo "    su -c 'apt-get update && ${install[*]}'" >&2
    exit 1
fi
echo "Installing: ${missing[*]}" >&2
"${as_root[@]}" apt-get update >&2
# sudo does not pass the environment on; env sets it on the other side.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}" >&2
