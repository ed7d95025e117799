#!/usr/bin/env bash
# Installs what is missing, builds, and starts TarvelCALC. Without a display it runs the
# headless batch tool on the worked example instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/tarvelcalc
else
  echo "No display: running the batch tool on examples/four-cassettes.json" >&2
  exec build/tarvelcalc-batch examples/four-cassettes.json
fi
