#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'TEXT'
No display: neither DISPLAY nor WAYLAND_DISPLAY is set, so the Vorelind window
cannot open here. The program is built; to run it on a virtual display, use

    xvfb-run -a -s "-screen 0 1280x900x24" build/bin/vorelind

or run this command again on a desktop (or over ssh -X).
TEXT
  exit 1
fi
exec build/bin/vorelind
