#!/usr/bin/env bash
# The code's layout as .clang-format writes it.
#   tools/format.sh          rewrite every C++ file in place
#   tools/format.sh --check  change nothing; fail naming each file that differs
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  exec clang-format --dry-run -Werror "${files[@]}"
fi
clang-format -i "${files[@]}"
