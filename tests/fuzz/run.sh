#!/usr/bin/env bash
# Runs one fuzz target for a given time on its corpus (build/fuzz/tests/fuzz/corpus/TARGET,
# grown from the committed seeds) and prints libFuzzer's final statistics.
# usage: tests/fuzz/run.sh fuzz_package|fuzz_sk2|fuzz_bmp SECONDS [extra libFuzzer flags]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
target=${1:?target}
seconds=${2:?seconds}
shift 2
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
corpus="build/fuzz/tests/fuzz/corpus/$target"
mkdir -p "$corpus" "build/fuzz/artifacts"
exec "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ "$@" \
  "$corpus" "tests/fuzz/seeds/$target"
