#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmoth: the bookshelf on the
# bundled application folder, or the book given as the argument in the
# reading window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

exec build/default/Quillmoth/quillmoth "$@"
