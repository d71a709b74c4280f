#!/bin/sh
# Builds the libFuzzer targets (fuzz preset: clang++, address and
# undefined-behaviour sanitizers, -O1) and runs each on a copy of its seed
# corpus in fuzz/corpus/<target>/. A crash, a sanitizer report, a failed
# check or a hang fails the script; the input that caused it is kept in
# build-fuzz/artifacts/.
#   scripts/run-fuzz.sh [SECONDS_PER_TARGET]   CI: a bounded time each (default 30)
#   scripts/run-fuzz.sh --long [RUNS [TARGET...]]  once, outside CI: RUNS inputs
#       each (default 10 000 000), then per target the inputs, the time and
#       the coverage at the start and the end. A failing target does not stop
#       the others. The logs, the summary and the grown corpora stay in
#       build-fuzz/long/ (merge the corpora into the seeds with -merge=1);
#       naming targets reruns only those and keeps the others' results.
set -eu
cd "$(dirname "$0")/.."
long=0
if [ "${1:-}" = --long ]; then
  long=1
  runs=${2:-10000000}
  shift $(($# < 2 ? $# : 2))
  only="$*"
else
  only=
  seconds=${1:-30}
fi
ZEPH_WITH_FUZZ=1 scripts/install-deps.sh
scripts/build.sh fuzz

artifacts=build-fuzz/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$long" = 1 ]; then
  logs=build-fuzz/long
  corpora=$logs/corpus
  summary=$logs/summary.txt
  if [ -z "$only" ]; then
    rm -rf "$logs"
  else
    for target in $only; do
      rm -rf "${corpora:?}/$target" "$logs/$target.log"
      [ -f "$summary" ] && sed -i "/^$target /d" "$summary"
    done
  fi
  mkdir -p "$corpora"
  [ -s "$summary" ] ||
    printf '%-24s %12s %8s %10s %10s\n' target inputs seconds 'seed cov' 'cov / ft' >"$summary"
else
  logs=$work
  corpora=$work
fi

# "cov: C ft: F" of libFuzzer's status line with this tag (INITED, DONE).
coverage() {
  grep -E "^#[0-9]+[[:space:]]+$2 " "$1" | tail -n 1 |
    sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p'
}

failed=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  if [ "$long" = 1 ] && [ -n "$only" ]; then
    case " $only " in *" $target "*) ;; *) continue ;; esac
  fi
  binary=build-fuzz/fuzz/$target
  [ -x "$binary" ] || { echo "fuzz: no binary for corpus $target" >&2; exit 1; }
  mkdir -p "$corpora/$target"
  cp "$seeds"* "$corpora/$target/"
  log="$logs/$target.log"
  if [ "$long" = 1 ]; then
    # A long run shares the machine for hours, often at a low priority: a
    # starved process must not pass for an input that hangs the target.
    bound="-runs=$runs -print_final_stats=1 -timeout=120"
    echo "fuzz $target: $runs inputs, started $(date '+%F %T')"
  else
    bound="-max_total_time=$seconds -timeout=10"
  fi
  started=$(date +%s)
  # shellcheck disable=SC2086
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$binary" $bound -artifact_prefix="$artifacts/$target-" \
      "$corpora/$target" >"$log" 2>&1; then
    if [ "$long" = 1 ]; then
      took=$(($(date +%s) - started))
      done_runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
      seed=$(coverage "$log" INITED)
      final=$(coverage "$log" DONE)
      echo "fuzz $target: ${done_runs:-?} inputs in ${took}s, cov/ft ${seed:-?} at the start," \
        "${final:-?} at the end, no crash"
      printf '%-24s %12s %8s %10s %10s\n' "$target" "${done_runs:-?}" "$took" \
        "$(echo "${seed:-?}" | cut -d' ' -f1)" "$(echo "${final:-? ?}" | tr ' ' /)" >>"$summary"
    else
      runs_done=$(grep -o 'Done [0-9]* runs' "$log" | tail -n 1 || true)
      echo "fuzz $target: ${runs_done:-done} in ${seconds}s, no crash"
    fi
  else
    tail -n 60 "$log"
    echo "fuzz $target: FAILED (input kept in $artifacts/)" >&2
    [ "$long" = 1 ] || exit 1
    failed=1
    printf '%-24s FAILED after %ss\n' "$target" "$(($(date +%s) - started))" >>"$summary"
  fi
done
if [ "$long" = 1 ]; then
  cat "$summary"
fi
exit "$failed"
