#!/usr/bin/env bash
# Runs every fuzz target for a while, starting from the committed corpus, and
# keeps the inputs that reached new code in tests/fuzz/corpus/<target>/.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
set -euo pipefail
build="$1"; seconds="$2"; shift 2
root="$(cd "$(dirname "$0")/.." && pwd)"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(problem_file ase_import msh_import numbers bitmap pipeline)

for target in "${targets[@]}"; do
  corpus="$root/tests/fuzz/corpus/$target"
  scratch="$(mktemp -d)"
  artifacts="$root/build/fuzz-findings/$target/"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: ${seconds}s"
  status=0
  "$build/tests/fuzz/fuzz_$target" "$scratch" "$corpus" -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$artifacts" \
    -print_final_stats=1 2>"$build/fuzz-$target.log" || status=$?
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build/fuzz-$target.log" || true
  # Keep only what adds coverage to the committed corpus.
  "$build/tests/fuzz/fuzz_$target" -merge=1 -artifact_prefix="$artifacts" "$corpus" "$scratch" >/dev/null 2>&1 || true
  rm -rf "$scratch"
  if [ $status -ne 0 ]; then
    echo "$target found a fault; the input is in $artifacts (log: $build/fuzz-$target.log)"
    exit $status
  fi
done
