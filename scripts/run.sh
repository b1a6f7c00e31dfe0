#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database when missing and starts the program on it.
# TALONEX_DATA_DIR chooses the folder of the demo database (default ~/.local/share/talonex).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build

data_dir="${TALONEX_DATA_DIR:-$HOME/.local/share/talonex}"
mkdir -p "$data_dir"
if [ ! -f "$data_dir/TALONEX_DEMO.db" ] || [ ! -f "$data_dir/TS_ESTADISTICAS.db" ]; then
    "$TALONEX_BUILD/demo/talonex-demo" "$data_dir"
else
    echo "talonex: demo database present in $data_dir"
fi

# The server "file://<folder>" names a folder of SQLite databases; the database TALONEX_DEMO is the
# file TALONEX_DEMO.db in it, and the statistics database TS_ESTADISTICAS.db sits beside it.
params="@Server=file://$data_dir; @DbName=TALONEX_DEMO; @Usuario=TESSARO; @Password=demo; @UsuarioLogeado=TESSARO; @Caja=1;"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "talonex: no display found; starting on the offscreen platform"
    export QT_QPA_PLATFORM=offscreen
fi
exec "$TALONEX_BUILD/src/talonex" "$params"
