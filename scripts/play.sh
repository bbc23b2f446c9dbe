#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)"
exec "$top/build/game/thornvale"
