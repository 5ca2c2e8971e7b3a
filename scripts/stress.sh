#!/usr/bin/env bash
# Diagnoses a healthy report again and again under Wine while other work
# keeps the machine's cores busy, and tells how many runs did not open the
# result window (each failure is printed with its trace and report files).
#
#   scripts/stress.sh [RUNS] [BUSY_PROCESSES]     defaults: 300, one per core
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-300}
busy=${2:-$(nproc)}

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

# The load: processes that only spin, stopped by PID however the run ends.
burners=()
stop_burners() { for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop_burners EXIT
for ((i = 0; i < busy; i++)); do
  bash -c 'while :; do :; done' &
  burners+=($!)
done

build=$root/build/windows
PRAVEX_E2E_DIAGNOSES=$runs PRAVEX_E2E_RUN_LIMIT=$((runs * 20 + 120)) \
  tests/e2e/run-under-wine.sh "$build" "$build/tests/e2e/pravex_e2e.exe" \
  --pravex="$build/win32/Pravex.exe" --statustool-dir="$build/tools/statustool" \
  --cmdshim="$build/tools/statustool/cmdshim.exe" \
  --gtest_filter=DiagnosisOutcomeTest.EveryDiagnosisOfAHealthyReportOpensItsWindow
