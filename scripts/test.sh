#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build
cd "$TALONEX_BUILD"
ctest --output-on-failure -j "$TALONEX_JOBS" --timeout 120
