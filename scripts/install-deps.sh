#!/usr/bin/env bash
# Installs what building and testing Pravex needs on Debian 12. As root it
# runs apt-get; otherwise it prints the command to run.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev   # host build and unit tests
  clang libclang-rt-14-dev clang-format                          # fuzzing, sanitizers, format check
  g++-mingw-w64-x86-64                                           # the Windows cross build
  wine64 wine fonts-wine xvfb xauth                              # running Pravex.exe on Linux
  python3-pyftpdlib                                              # the tests' FTP server
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Pravex needs these Debian packages; as root, run:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
