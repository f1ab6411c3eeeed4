#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. The
# end-to-end tests start their own Xvfb display and notification area.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
# A compiler warning fails the build: every fresh build stays free of them.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2
# The same suite as an ordinary user, for whom permissions count.
scripts/test-unprivileged.sh
# The Debian package builds and holds what it should.
scripts/check-package.sh
# Then the whole suite again under AddressSanitizer and UBSan (build-asan/),
# and a one-minute libFuzzer run of each fuzz target (build-fuzz/).
scripts/test-sanitizers.sh
scripts/test-fuzz.sh
