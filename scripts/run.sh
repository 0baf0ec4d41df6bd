#!/usr/bin/env bash
# The run command: set up the machine, build, and start Korvane under Wine.
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$here/scripts/setup.sh"
configure_and_build
exe="$BUILD_DIR/bin/korvane.exe"
if [ ! -f "$exe" ]; then
    echo "run: the program's shell is not built yet; only the libraries and their tests exist."
    exit 0
fi
if [ -z "${DISPLAY:-}" ]; then start_display; trap stop_display EXIT; fi
cd "$BUILD_DIR/bin" && env LC_ALL=$WINE_LOCALE wine "$exe"
