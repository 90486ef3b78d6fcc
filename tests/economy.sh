#!/usr/bin/env bash
# The size of the tests next to the product: non-blank, non-comment lines of src/, of the test
# cases (tests/unit/*_test.cpp, tests/e2e/*_e2e.cpp) and of the infrastructure (everything
# else in tests/: harness, sessions, probe, fixtures, support), and the tests of each layer.
# Usage: tests/economy.sh [git revision]     (default: the working tree)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root
if [ $# -gt 0 ]; then
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' EXIT
  git -C "$root" archive "$1" src tests | tar -x -C "$tree" || exit 1
fi
cd "$tree" || exit 1

lines() { [ $# -gt 0 ] && sed -e 's://.*$::' "$@" | grep -cv '^\s*$' || echo 0; }
tests_in() { [ $# -gt 0 ] && grep -hcE '^(TEST|TEST_F|TEST_P)\(' "$@" | paste -sd+ | bc || echo 0; }

mapfile -t product < <(find src -name '*.cpp' -o -name '*.h')
mapfile -t unit < <(ls tests/unit/*_test.cpp)
mapfile -t e2e < <(ls tests/e2e/*_e2e.cpp)
mapfile -t infra < <(find tests \( -name '*.cpp' -o -name '*.h' \) ! -name '*_test.cpp' ! -name '*_e2e.cpp')

src=$(lines "${product[@]}") unit_lines=$(lines "${unit[@]}") e2e_lines=$(lines "${e2e[@]}")
cases=$((unit_lines + e2e_lines))
printf '%-28s %6d\n' "src/" "$src"
printf '%-28s %6d  (%d tests)\n' "unit test cases" "$unit_lines" "$(tests_in "${unit[@]}")"
printf '%-28s %6d  (%d tests)\n' "end-to-end test cases" "$e2e_lines" "$(tests_in "${e2e[@]}")"
printf '%-28s %6d  (%d %% of src/)\n' "test cases together" "$cases" $((cases * 100 / src))
printf '%-28s %6d\n' "test infrastructure" "$(lines "${infra[@]}")"
