#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test of Pravex:
#   - the format check (clang-format),
#   - the host unit tests, then again under AddressSanitizer and
#     UndefinedBehaviorSanitizer,
#   - a short run of every fuzz target (PRAVEX_FUZZ_SECONDS, default 10),
#   - the test FTP server's self-test,
#   - the end-to-end tests: the real Pravex.exe under Wine on a virtual
#     display, with the stand-in status tool and an FTP server on 127.0.0.1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
ftp_port=${PRAVEX_TEST_FTP_PORT:-21021}

step() { echo; echo "=== $*"; }

step "dependencies"
scripts/install-deps.sh

step "format"
mapfile -t sources < <(git ls-files '*.h' '*.cpp' 2>/dev/null || find app forms net platform win32 tests tools -name '*.h' -o -name '*.cpp')
clang-format --dry-run --Werror "${sources[@]}"

step "unit tests (host)"
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host --output-on-failure

step "unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host -B build/sanitize -DPRAVEX_SANITIZE=address,undefined >/dev/null
cmake --build build/sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure

step "fuzzing"
scripts/fuzz.sh "${PRAVEX_FUZZ_SECONDS:-10}"

step "test FTP server"
timeout 120 /usr/bin/python3 tests/ftp_server/test_ftp_server.py

step "end-to-end tests (Wine)"
cmake --preset windows -DPRAVEX_FTP_HOST=127.0.0.1 -DPRAVEX_FTP_PORT="$ftp_port" >/dev/null
cmake --build --preset windows
ctest --test-dir build/windows --output-on-failure

step "all tests passed"
