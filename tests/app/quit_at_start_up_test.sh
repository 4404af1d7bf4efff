#!/usr/bin/env bash
# A window program that cannot start (its data nowhere to be found) shows why
# and still ends at once when asked to quit with SIGTERM, as a desktop
# session or a service manager asks.
# Usage: quit_at_start_up_test.sh ZUVPOKER
set -euo pipefail
scratch=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy outside the build tree, run where no data lies: it cannot start.
cp "$1" "$scratch/zuvpoker"
cd "$scratch"
QT_QPA_PLATFORM=offscreen ./zuvpoker 2> zuvpoker.err &
pid=$!
for _ in $(seq 200); do
  grep -q "cardimages" zuvpoker.err && break
  sleep 0.1
done
grep -q "cardimages" zuvpoker.err || fail "zuvpoker did not say what it cannot find: $(cat zuvpoker.err)"
# The message window is up now; the program waits on it.
sleep 1
kill -0 "$pid" 2>/dev/null || fail "zuvpoker ended without being asked"
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "zuvpoker that cannot start did not end within 10 s of SIGTERM"
status=0
wait "$pid" || status=$?
pid=
[[ $status == 1 ]] || fail "zuvpoker ended with status $status, not 1"
echo "zuvpoker that could not start ended on SIGTERM"
