#!/bin/sh
# Fails, naming each file, when a C++ source differs from what clang-format makes of it with
# the committed .clang-format. Run from the repository's top folder.
set -eu
drift=$(find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | sort | while read -r f; do
  clang-format --style=file "$f" | cmp -s - "$f" || echo "$f"
done)
if [ -n "$drift" ]; then
  echo "format check: these files differ from clang-format's output (run clang-format -i on them):" >&2
  echo "$drift" >&2
  exit 1
fi
echo "format check: every C++ source matches .clang-format"
