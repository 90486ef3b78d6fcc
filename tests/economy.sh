#!/usr/bin/env bash
# The size of the tests next to the product, in non-blank, non-comment lines: src/; the test
# cases, counted two ways: the bodies of the TEST, TEST_F and TEST_P blocks alone, and the
# whole test files (tests/unit/*_test.cpp, tests/e2e/*_e2e.cpp) with their fixtures, helpers
# and tables; the infrastructure (everything else in tests/: harness, sessions, step driver,
# probe, fixtures, support); the whole test tree against all the product's code; and the
# tests of each layer.
# Usage: tests/economy.sh [git revision]     (default: the working tree)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root
if [ $# -gt 0 ]; then
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' EXIT
  git -C "$root" archive "$1" src tools resources tests | tar -x -C "$tree" || exit 1
fi
cd "$tree" || exit 1

lines() { [ $# -gt 0 ] && sed -e 's://.*$::' "$@" | grep -cv '^\s*$' || echo 0; }
# From a line starting TEST( / TEST_F( / TEST_P( to the closing brace in the first column.
bodies() {
  awk '/^(TEST|TEST_F|TEST_P)\(/ {on = 1} on {print} on && /^}/ {on = 0}' "$@" |
    sed -e 's://.*$::' | grep -cv '^\s*$'
}
tests_in() { [ $# -gt 0 ] && grep -hcE '^(TEST|TEST_F|TEST_P)\(' "$@" | paste -sd+ | bc || echo 0; }

mapfile -t product < <(find src -name '*.cpp' -o -name '*.h')
mapfile -t code < <(find src tools resources -name '*.cpp' -o -name '*.h')
mapfile -t unit < <(ls tests/unit/*_test.cpp)
mapfile -t e2e < <(ls tests/e2e/*_e2e.cpp)
mapfile -t infra < <(find tests \( -name '*.cpp' -o -name '*.h' \) ! -name '*_test.cpp' ! -name '*_e2e.cpp')

src=$(lines "${product[@]}") unit_lines=$(lines "${unit[@]}") e2e_lines=$(lines "${e2e[@]}")
files=$((unit_lines + e2e_lines))
cases=$(bodies "${unit[@]}" "${e2e[@]}")
printf '%-34s %6d\n' "src/" "$src"
printf '%-34s %6d  (%d tests)\n' "unit test files" "$unit_lines" "$(tests_in "${unit[@]}")"
printf '%-34s %6d  (%d tests)\n' "end-to-end test files" "$e2e_lines" "$(tests_in "${e2e[@]}")"
printf '%-34s %6d  (%d %% of src/)\n' "test files together" "$files" $((files * 100 / src))
printf '%-34s %6d  (%d %% of src/)\n' "test cases (the TEST bodies alone)" "$cases" $((cases * 100 / src))
infra_lines=$(lines "${infra[@]}") all_code=$(lines "${code[@]}")
printf '%-34s %6d\n' "test infrastructure" "$infra_lines"
printf '%-34s %6d  (%d %% of src/, tools/ and resources/: %d)
' "the whole test tree" \
  $((files + infra_lines)) $(((files + infra_lines) * 100 / all_code)) "$all_code"
