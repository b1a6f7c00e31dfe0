#!/usr/bin/env bash
# Starts the program on the demo database on a local throwaway PostgreSQL server: installs what is
# missing, builds, creates a cluster in a temporary folder (as the postgres user when run as root),
# writes the demo onto it with talonex-demo --postgres, starts the program and stops the server and
# removes the cluster when the program ends. TALONEX_PG_PORT chooses the port (default 55432).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build

pg_bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$pg_bin" ] || [ ! -x "$pg_bin/initdb" ]; then
    echo "talonex: the PostgreSQL server is not installed (Debian package postgresql)" >&2
    exit 1
fi
port="${TALONEX_PG_PORT:-55432}"
cluster="$(mktemp -d /tmp/talonex-pg-XXXXXX)"
as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
if [ "$(id -u)" -eq 0 ]; then chown postgres: "$cluster"; fi
stop_server() {
    as_server_user "$pg_bin/pg_ctl" -D "$cluster/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$cluster"
}
trap stop_server EXIT

as_server_user "$pg_bin/initdb" -D "$cluster/data" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
    --no-sync >/dev/null
as_server_user "$pg_bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w \
    -o "-p $port -k $cluster -c listen_addresses=127.0.0.1" start >/dev/null
echo "talonex: PostgreSQL running on 127.0.0.1:$port (cluster $cluster)"
"$TALONEX_BUILD/demo/talonex-demo" --postgres "pg://127.0.0.1:$port"

params="@Server=pg://127.0.0.1:$port; @DbName=TALONEX_DEMO; @Usuario=TESSARO; @Password=pampero; @UsuarioLogeado=TESSARO; @Caja=1;"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "talonex: no display found; starting on the offscreen platform"
    export QT_QPA_PLATFORM=offscreen
fi
"$TALONEX_BUILD/src/talonex" "$params"
