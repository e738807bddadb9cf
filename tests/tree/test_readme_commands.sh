#!/usr/bin/env bash
# The README's two commands as a newcomer meets them: "make run" builds the program alone, and the
# install script without root and without sudo says what to run as root instead of failing blind.
set -euo pipefail
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

plan=$(make -s -n -C "$src" run BUILD="$work/b" JOBS=2)
grep -q -- "--build $work/b -j2 --target velorin" <<<"$plan" || { echo "make run builds more than the program:"; echo "$plan"; exit 1; }

# A machine where nothing is installed, the user is not root and there is no sudo.
mkdir "$work/bin"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho 1000\n' >"$work/bin/id"
chmod +x "$work/bin/dpkg-query" "$work/bin/id"
ln -s "$(command -v grep)" "$work/bin/grep"
set +e
out=$(PATH="$work/bin" /bin/bash "$src/scripts/install-deps.sh" 2>&1)
rc=$?
set -e
[ "$rc" -ne 0 ] || { echo "install-deps.sh went on without root or sudo"; exit 1; }
grep -q "apt-get install -y --no-install-recommends g++ cmake" <<<"$out" || { echo "no apt-get line to run as root:"; echo "$out"; exit 1; }
echo "ok"
