#!/usr/bin/env bash
# Builds everything and runs every test under Wine; installs what is missing first.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build
wine_env_start
cd "$BUILD_DIR"
ctest --output-on-failure -j2 "$@"
