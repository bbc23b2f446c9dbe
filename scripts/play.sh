#!/usr/bin/env bash
# Installs what is missing, builds the game and what it reads beside it (no
# tests, no benchmarks), and starts it. It shares build/ with check.sh and
# leaves that folder's options as they are, so either can run first.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target thornvale thornvale_assets
exec "$top/build/game/thornvale"
