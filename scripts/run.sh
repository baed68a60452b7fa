#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmoth on a bundled sample
# book in the reading window (or on the book given as the argument).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

app=build/default/Quillmoth
book="${1:-$app/我的藏书/山居秋暝录.txt}"
exec "$app/quillmoth" "$book"
