#!/usr/bin/env bash
# Installs what is missing, builds, and writes the README pictures to docs/images/: the cheque window
# in normal and in reprint mode, the ledger viewer opened from its list, a printed sheet of cheques
# and the connection dialog, all on a fresh demo database in a temporary folder (nothing else is
# touched).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build

work_dir="$(mktemp -d)"
trap 'rm -rf "$work_dir"' EXIT
"$TALONEX_BUILD/demo/talonex-demo" "$work_dir"

out_dir="$TALONEX_ROOT/docs/images"
mkdir -p "$out_dir"
QT_QPA_PLATFORM=offscreen "$TALONEX_BUILD/tools/captura/talonex-captura" "$out_dir" "$work_dir"
echo "talonex: pictures in $out_dir"
