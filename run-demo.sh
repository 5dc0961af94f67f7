#!/usr/bin/env bash
# Installs what is missing, builds, and shows what the project can do so far.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
configure_and_build
demo="$ROOT/demo"
mkdir -p "$demo"
cd "$demo"
echo "== vorda-cli config show (start-up record in $demo)"
"$BUILD/recorder/cli/vorda-cli" config show
