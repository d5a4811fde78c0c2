#!/usr/bin/env bash
# Sets up, builds and launches the Ranchbook window on the bundled farm
# (data/ranchbook.rbd, or the sample farm made from
# data/sample-configuration.json while there is none). Without a display the
# window runs inside Xvfb. Arguments are passed on to the program (the first
# one names a farm file to open instead).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRB_WERROR=ON >/dev/null
cmake --build build --target ranchbook ranchbook-cli -j2

# The start-up farm lives beside the program, where the window looks for it.
# A copy the user has since saved over (newer than the bundled one) is kept.
program_folder=build/src
startup="$program_folder/ranchbook.rbd"
if [ -f data/ranchbook.rbd ]; then
  cp -u data/ranchbook.rbd "$startup"
elif [ ! -f "$startup" ]; then
  build/src/ranchbook-cli new "$startup" --config data/sample-configuration.json
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program_folder/ranchbook" "$@"
fi
echo "No display: running the window inside Xvfb (Ctrl+C stops it)." >&2
exec xvfb-run -a -s "-screen 0 1280x800x24" "$program_folder/ranchbook" "$@"
