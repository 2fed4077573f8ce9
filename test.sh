#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
tamblo_install_deps
tamblo_build build
ctest --test-dir build --output-on-failure -j"$(nproc)"
