#!/usr/bin/env bash
# Installs what playing needs, builds the game and what it reads beside it,
# and starts it. It shares build/ with check.sh: a build/ it creates has no
# tests and no benchmarks; one that exists keeps its options, so either
# command can run first.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" play
if [ -f "$top/build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$top/build" >/dev/null
else
  cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DTHORNVALE_BENCHMARKS=OFF \
    -DTHORNVALE_SANITIZE=OFF >/dev/null
fi
cmake --build "$top/build" -j"$(nproc)" --target thornvale thornvale_assets
# Without a display the game says so in one line and ends.
exec "$top/build/game/thornvale"
