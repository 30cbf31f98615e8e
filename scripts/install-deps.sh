#!/bin/sh
# Installs the Debian packages listed in deps/debian-packages.txt that are not installed yet, then
# checks that the GStreamer elements of deps/gstreamer-elements.txt exist. Costs one dpkg-query
# and one gst-inspect-1.0 when everything is present. The package manager's own output goes to a
# log file; the terminal gets a few lines saying what is happening.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
list="$here/deps/debian-packages.txt"
elements="$here/deps/gstreamer-elements.txt"
log="$here/build/deps.log"

packages=$(grep -v '^[[:space:]]*#' "$list" | tr -s ' \t' '\n' | grep -v '^$')
# shellcheck disable=SC2086
installed=$(dpkg-query -W -f='${Package} ${Status}\n' $packages 2>/dev/null |
            awk '/install ok installed/ { print $1 }')
missing=""
count=0
for pkg in $packages; do
    case " $(echo $installed) " in
        *" $pkg "*) ;;
        *) missing="$missing $pkg"; count=$((count + 1)) ;;
    esac
done

fail() {
    echo "deps: $1" >&2
    if [ -s "$log" ]; then
        echo "deps: the package manager's output is in $log; its last lines:" >&2
        tail -n 15 "$log" >&2
    fi
    exit 1
}

if [ "$count" -gt 0 ]; then
    mkdir -p "$(dirname "$log")"
    : > "$log"
    echo "deps: $count Debian package(s) missing:$missing"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    start=$(date +%s)
    echo "deps: updating the package lists (log: $log)"
    $sudo apt-get update >> "$log" 2>&1 || fail "apt-get update failed"
    echo "deps: downloading and installing $count package(s) and what they need"
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing \
        >> "$log" 2>&1 || fail "apt-get install failed"
    echo "deps: done in $(( $(date +%s) - start )) s"
fi

# Packages can be present and an element still missing (a plugin moved between packages, or a
# package list that forgot one): name the element and its package now.
if command -v gst-inspect-1.0 > /dev/null; then
    have=$(gst-inspect-1.0 2>/dev/null | awk -F': *' 'NF >= 3 { print $2 }')
    absent=""
    while read -r element package; do
        case "$element" in ''|'#'*) continue ;; esac
        echo "$have" | grep -qx "$element" || absent="$absent
  $element (Debian package $package)"
    done < "$elements"
    [ -z "$absent" ] || fail "GStreamer elements missing:$absent
install the packages and list them in deps/debian-packages.txt"
else
    fail "gst-inspect-1.0 is missing (Debian package gstreamer1.0-tools)"
fi
