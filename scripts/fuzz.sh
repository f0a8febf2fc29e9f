#!/usr/bin/env bash
# Fuzzes each parser's target (and the frame step's) for longer than the test command does, one
# target after the other, each on one core, growing the corpus that the fuzz tests start from.
#   scripts/fuzz.sh [SECONDS]           each target for SECONDS (default 600)
#   scripts/fuzz.sh --runs N [TARGET...] each target (default all) for N executions
# Builds the fuzz preset first (with its packages); PAWLET_FUZZ_NO_BUILD=1 skips that and
# PAWLET_FUZZ_DIR runs the targets of another copy of build/fuzz/fuzz. Each target logs to
# <dir>/logs/TARGET.log, ending with libFuzzer's final figures (stat::number_of_executed_units,
# cov, ft); a crash leaves its input in <dir>/artifacts/ and makes the script fail at the end.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
limit=(-max_total_time=600)
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="$2")
  shift 2
elif [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  limit=(-max_total_time="$1")
  shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(embedded_block cursor_file skin_file jpeg_decode frame_step wav_mixer)

[ -n "${PAWLET_FUZZ_NO_BUILD:-}" ] || scripts/build.sh fuzz
dir=${PAWLET_FUZZ_DIR:-$root/build/fuzz/fuzz}
mkdir -p "$dir/logs" "$dir/artifacts"

failed=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$t"
  inputs=("$dir/corpus/$t" "$dir/seeds/$t")
  [ ! -d "$root/fuzz/regressions/$t" ] || inputs+=("$root/fuzz/regressions/$t")
  echo "fuzz.sh: $t (${limit[*]}), log $dir/logs/$t.log"
  if ! "$dir/pawlet_fuzz_$t" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/artifacts/$t-" "${inputs[@]}" \
      > "$dir/logs/$t.log" 2>&1; then
    failed+=("$t")
  fi
  grep -E 'DONE|stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY' "$dir/logs/$t.log" | sed "s/^/  $t: /" || true
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz.sh: crashes or failures in ${failed[*]}; inputs in $dir/artifacts/" >&2; exit 1; }
echo "fuzz.sh: every target ran clean."
