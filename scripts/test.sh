#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test of Pravex:
#   - the format check (clang-format),
#   - the host unit tests, then again under AddressSanitizer and
#     UndefinedBehaviorSanitizer,
#   - a short run of every fuzz target (PRAVEX_FUZZ_SECONDS, default 10),
#   - the test FTP server's self-test,
#   - the end-to-end tests: the real Pravex.exe under Wine on a virtual
#     display, with the stand-in status tool and an FTP server on 127.0.0.1.
# Any test that fails, skips or does not run fails the whole run; only the
# end-to-end tests in tests/e2e/expected_skips.txt may skip, and the last
# line names each of them with its reason.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
ftp_port=${PRAVEX_TEST_FTP_PORT:-21021}

step() { echo; echo "=== $*"; }

# ctest, failing on an empty test list and on a skipped test, which ctest
# itself counts as passed.
run_ctest() {
  local log status=0
  log=$(mktemp)
  ctest --no-tests=error --output-on-failure "$@" | tee "$log" || status=$?
  if grep -qE '\*\*\*Skipped|\(Skipped\)$' "$log"; then
    echo "test.sh: a test skipped (see above); a skip counts as a failure here" >&2
    status=1
  fi
  rm -f "$log"
  return "$status"
}

step "dependencies"
scripts/install-deps.sh

step "format"
mapfile -t sources < <(git ls-files '*.h' '*.cpp' 2>/dev/null || find app common diagnosis forms net platform text ui win32 tests tools -name '*.h' -o -name '*.cpp')
clang-format --dry-run --Werror "${sources[@]}"

step "unit tests (host)"
cmake --preset host >/dev/null
cmake --build --preset host
run_ctest --preset host

step "unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host -B build/sanitize -DPRAVEX_SANITIZE=address,undefined >/dev/null
cmake --build build/sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_ctest --test-dir build/sanitize

step "fuzzing"
scripts/fuzz.sh "${PRAVEX_FUZZ_SECONDS:-10}"

step "test FTP server"
ftp_log=$(mktemp)
timeout 120 /usr/bin/python3 tests/ftp_server/test_ftp_server.py 2>&1 | tee "$ftp_log"
if grep -q 'skipped=' "$ftp_log"; then
  echo "test.sh: a test of the FTP server skipped" >&2
  exit 1
fi
rm -f "$ftp_log"

step "end-to-end tests (Wine)"
cmake --preset windows -DPRAVEX_FTP_HOST=127.0.0.1 -DPRAVEX_FTP_PORT="$ftp_port" >/dev/null
cmake --build --preset windows
skips=build/windows/e2e-skips.log
rm -f "$skips"
run_ctest --test-dir build/windows

if [[ -s $skips ]]; then
  step "all tests passed; skipped, as expected on this machine: $(cut -d: -f1 "$skips" | paste -sd ' ')"
  sed 's/^/    /' "$skips"
else
  step "all tests passed; none skipped"
fi
