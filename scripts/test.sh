#!/usr/bin/env bash
# Builds every target for the shipped 32-bit program (and compiles it for x86_64) and
# runs every test on it under Wine; installs what is missing first.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/wine-env.sh"

# A compile error in any target, in either architecture, ends the run here.
tavlorn_configure_and_build "${TAVLORN_EVERY_TARGET[@]}"
tavlorn_build_other_arch
wine_env_start
cd "$BUILD_DIR"
ctest --output-on-failure -j2 "$@"
