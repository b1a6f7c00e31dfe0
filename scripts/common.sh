# Shared by the set-up commands: install what is missing, configure and build.
# Sourced, not run. Works on a fresh Debian 12 as root (or with sudo available).
set -euo pipefail

TALONEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TALONEX_BUILD="${TALONEX_BUILD:-$TALONEX_ROOT/build}"
TALONEX_JOBS="${TALONEX_JOBS:-2}"

# Debian packages the program, its tests and benchmarks need. The Qt SQL driver plugins are only
# recommended by libqt6sql6, so they are named here one by one.
TALONEX_PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
    libsqlite3-dev sqlite3
    unixodbc tdsodbc postgresql
    libgtest-dev libbenchmark-dev
    xvfb xauth poppler-utils fonts-dejavu-core
    clang-format clang-tidy ccache
    # Printing: libcups for the print server's answers; the tests' own print server (cupsd, its
    # filters and client tools) and ghostscript to read back PostScript jobs.
    libcups2-dev cups cups-client cups-filters ghostscript
    # Packaging and its checks; xdotool works the installed program on a display in the package test.
    dpkg-dev lintian desktop-file-utils appstream xdotool
)

talonex_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

talonex_install() {
    local missing=()
    local pkg
    for pkg in "${TALONEX_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        echo "talonex: all Debian packages present"
        return
    fi
    echo "talonex: installing ${missing[*]}"
    talonex_as_root apt-get update -q
    talonex_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# talonex_build [FOLDER [CMAKE_OPTION...]]: configures and builds into FOLDER (default the build folder).
# ccache, when present, keeps rebuilds of unchanged files cheap; paths are taken relative to the
# source tree so that every checkout shares one cache.
talonex_build() {
    local folder="${1:-$TALONEX_BUILD}"
    shift || true
    local launcher=()
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$TALONEX_ROOT")}" CCACHE_NOHASHDIR=1
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$TALONEX_ROOT" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
    cmake --build "$folder" -j "$TALONEX_JOBS"
}

# talonex_step NAME COMMAND...: runs one step of a script and says how long it took.
talonex_step() {
    local name="$1"
    shift
    local start=$SECONDS
    echo "talonex: == $name"
    "$@"
    echo "talonex: == $name took $((SECONDS - start)) s"
}
