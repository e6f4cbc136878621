#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh                  plain build (build/)
#   scripts/test.sh --sanitize       ASan+UBSan over the whole suite, then TSan over the threaded parts
#   scripts/test.sh --fuzz [SECONDS] libFuzzer targets with clang, each for SECONDS (default 60);
#                                    fails when a target crashes or trips a sanitizer
# Every run of the suite also replays the checked-in fuzz corpora (fuzz/corpus) as tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" ${1:+"$1"}
jobs="$(nproc)"

run_suite() {
  local build="$1"
  shift
  "$root/scripts/build.sh" "$build" "$@"
  ctest --test-dir "$build" --output-on-failure -j "$jobs" ${CTEST_ARGS:-}
}

case "${1:-}" in
  "")
    run_suite "$root/build"
    ;;
  --sanitize)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    run_suite "$root/build-asan" -DORVANE_SANITIZE=address -DORVANE_BUILD_BENCH=OFF
    # The threaded code: HID I/O with cancel, the emulated bus, the command channel, discovery.
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
    CTEST_ARGS="-L threaded" run_suite "$root/build-tsan" -DORVANE_SANITIZE=thread -DORVANE_BUILD_BENCH=OFF
    ;;
  --fuzz)
    seconds="${2:-60}"
    CC=clang CXX=clang++ "$root/scripts/build.sh" "$root/build-fuzz" -DORVANE_FUZZ=ON -DORVANE_BUILD_GUI=OFF \
      -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
    # The targets write real files; on tmpfs their fsyncs cost nothing.
    [ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
    export ASAN_OPTIONS="abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    failed=()
    for target in "$root"/build-fuzz/bin/fuzz_*; do
      name="$(basename "$target")"
      # New finds go to the build tree; the checked-in corpus seeds every run.
      corpus="$root/build-fuzz/corpus/$name"
      mkdir -p "$corpus"
      log="$root/build-fuzz/$name.log"
      echo "== $name for ${seconds}s"
      status=0
      "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$root/build-fuzz/$name-" \
        "$corpus" "$root/fuzz/corpus/${name#fuzz_}" >"$log" 2>&1 || status=$?
      grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Test unit written' "$log" || true
      if [ "$status" -ne 0 ]; then
        echo "!! $name failed (exit $status); see $log"
        failed+=("$name")
      fi
    done
    if [ ${#failed[@]} -ne 0 ]; then
      echo "fuzz targets that failed: ${failed[*]}" >&2
      exit 1
    fi
    ;;
  *)
    echo "usage: $0 [--sanitize | --fuzz [SECONDS]]" >&2
    exit 2
    ;;
esac
