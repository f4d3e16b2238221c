#!/usr/bin/env bash
# Starts Trivane from a build tree. Until the window exists, shows an example model.
set -euo pipefail
build="${1:-build/release}"
root="$(cd "$(dirname "$0")/.." && pwd)"
exec "$build/src/cli/trivane-cli" info "$root/examples/cantilever.trv"
