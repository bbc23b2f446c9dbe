#!/usr/bin/env bash
# Installs the Debian packages of the named lists in debian-packages.txt
# ("play", "test") that are missing: install-deps.sh play [test]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || { echo "usage: $0 play|test ..." >&2; exit 2; }
wanted=()
for list in "$@"; do
  grep -qx "\[$list\]" "$here/debian-packages.txt" || { echo "$0: no list [$list]" >&2; exit 2; }
  mapfile -t -O ${#wanted[@]} wanted < <(
    awk -v want="[$list]" '/^\[/ { on = ($0 == want); next } on && !/^[[:space:]]*(#|$)/ { print $1 }' \
      "$here/debian-packages.txt")
done
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
