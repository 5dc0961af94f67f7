#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
configure_and_build
export QT_QPA_PLATFORM=offscreen
cd "$BUILD"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
