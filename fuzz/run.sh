#!/usr/bin/env bash
# Runs every fuzz target for a while on a copy of its seed corpus.
# Usage: fuzz/run.sh <build dir> <seconds per target>
# Exits non-zero when a target finds a crash, a sanitizer report, a leak, a
# hang or runaway memory; the input that did it lands in <build dir>/fuzz-findings/.
set -uo pipefail
build=${1:?usage: fuzz/run.sh <build dir> <seconds per target>}
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
findings="$build/fuzz-findings"
mkdir -p "$findings"
status=0
for target in bmp map replay net_message settings; do
  binary="$build/fuzz/fuzz_$target"
  [ -x "$binary" ] || { echo "fuzz: $binary is not built" >&2; status=1; continue; }
  work=$(mktemp -d "/tmp/hoofbrawl-fuzz-$target.XXXXXX")
  cp "$here/corpus/$target"/* "$work"/
  log="$findings/$target.log"
  echo "fuzz_$target: ${seconds}s"
  "$binary" "$work" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" >"$log" 2>&1
  rc=$?
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$log" | sed "s/^/  /"
  if [ $rc -ne 0 ]; then
    echo "fuzz_$target: finding (status $rc), see $log" >&2
    grep -m5 -E 'ERROR|SUMMARY|runtime error' "$log" >&2
    status=1
  fi
  rm -rf "$work"
done
exit $status
