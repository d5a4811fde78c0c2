#!/usr/bin/env bash
# Sets up, builds and runs Ranchbook: makes the sample farm from the
# configuration kept in data/ and prints what the farm file holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
mkdir -p build/farms
build/src/ranchbook-cli new build/farms/sample.rbd --config data/sample-configuration.json
build/src/ranchbook-cli dump build/farms/sample.rbd
