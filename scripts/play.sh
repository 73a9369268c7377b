#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo data if there is none, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
GAME_DIR=${GAME_DIR:-demo}
if [ ! -f "$GAME_DIR/data/lumora.red" ]; then
  build/shirakaba-pack demo "$GAME_DIR"
fi
exec build/shirakaba --data "$GAME_DIR" "$@"
