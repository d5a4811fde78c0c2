#!/usr/bin/env bash
# Configures and builds Ranchbook in build/ (Release, warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRB_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
