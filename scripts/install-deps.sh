#!/bin/sh
# Installs the Debian packages listed in deps/debian-packages.txt that are not installed yet.
# Costs one dpkg-query when everything is present.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
list="$here/deps/debian-packages.txt"
missing=""
for pkg in $(grep -v '^[[:space:]]*#' "$list" | tr -s ' \t' '\n' | grep -v '^$'); do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $pkg" ;;
    esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
