#!/usr/bin/env bash
# Installs what is missing, builds, and runs Quillmoth's main job: for now the
# book engine on a bundled sample book, summarised from quillmoth-book's record.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

book="${1:-resources/books/山居秋暝录.txt}"
build/default/Quillmoth/quillmoth-book --chapters --reformat "$book" | python3 scripts/summarize_book.py
