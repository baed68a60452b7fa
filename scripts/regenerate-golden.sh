#!/usr/bin/env bash
# Rewrites the golden book records in tests/data/golden/ from the current
# quillmoth-book. Run it only when a layout change is intended, then review
# the diff before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default >/dev/null
grep -v '^#' tests/data/golden/cases.txt | grep -v '^\s*$' | while IFS='|' read -r name options path; do
  name=$(echo "$name" | xargs)
  path=$(echo "$path" | sed 's/^ *//; s/ *$//')
  # shellcheck disable=SC2086
  # Golden records use CP936 unless a case names its own code page.
  build/default/Quillmoth/quillmoth-book --codepage CP936 $options "$path" \
    > "tests/data/golden/$name.json" 2>/dev/null || true
  echo "wrote tests/data/golden/$name.json"
done
