#!/usr/bin/env bash
# Starts the Trivane window from a build tree, in the folder it is run from; the
# window finds its stress palette in the sources when there is none here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-build/release}" && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: try 'xvfb-run make run', or 'trivane-cli' ($build/src/cli/trivane-cli info $root/examples/cantilever.trv)."
  exit 0
fi
exec "$build/src/ui/trivane"
