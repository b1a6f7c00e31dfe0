#!/usr/bin/env bash
# The Debian package as a firm installs it: made by CPack from this build, checked by lintian,
# unpacked into a temporary root, and the unpacked program run on a fresh demo database by a user
# who cannot write its program folder. The program must start and record the access, keep its masks
# and error log in the user's own folder, and print the demo's cheques to a PDF through its window.
#
#   package_test.sh BUILD_FOLDER VERSION
set -euo pipefail

build="$(cd "$1" && pwd)"
version="$2"
work="$(mktemp -d /tmp/talonex-paquete.XXXXXX)"
xvfb_pid=""
program_pid=""

cleanup() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() { # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FALLO: $what"
        failures=$((failures + 1))
    fi
}

# --- The package --------------------------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/paquete" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb="$work/paquete/talonex_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no package $deb"; ls "$work/paquete"; exit 1; }
echo "package: $(basename "$deb")"
dpkg-deb --contents "$deb"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 && lintian_rc=0 || lintian_rc=$?
cat "$work/lintian.log"
check "lintian reports no error" test "$lintian_rc" -eq 0

depends="$(dpkg-deb --field "$deb" Depends)"
echo "Depends: $depends"
for dependency in libqt6sql6-sqlite libqt6sql6-odbc libqt6widgets6 libqt6printsupport6 libqt6sql6; do
    check "depends on $dependency" grep -q "\\b$dependency\\b" <<<"$depends"
done

description="$(dpkg-deb --field "$deb" Description)"
check "the description is plain lines of text" test -z "$(grep -n '^ *;' <<<"$description")"

root="$work/raiz"
dpkg-deb -x "$deb" "$root"
program_folder="$root/usr/lib/talonex"
for file in usr/lib/talonex/talonex usr/lib/talonex/IMPRESION_CHEQUES.rpt usr/lib/talonex/CALIBRACION.rpt \
    usr/lib/talonex/Styles/Vista.qss usr/lib/talonex/Styles/iTunes/Normalitunes.qss usr/bin/talonex-demo \
    usr/lib/talonex/Cons_MV_Asientos usr/lib/talonex/V_TA_TABLAS usr/lib/talonex/V_MA_CLIENTES \
    usr/share/applications/ar.com.talonex.Talonex.desktop usr/share/metainfo/ar.com.talonex.Talonex.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/talonex.png usr/share/icons/hicolor/256x256/apps/talonex.png \
    usr/share/man/man1/talonex.1.gz usr/share/man/man1/talonex-demo.1.gz usr/share/doc/talonex/copyright \
    usr/share/doc/talonex/guia-de-uso.md usr/share/doc/talonex/images/ventana-normal.png; do
    check "the package holds /$file" test -f "$root/$file"
done
check "/usr/bin/talonex leads to the program folder" \
    test "$(readlink "$root/usr/bin/talonex")" = "../lib/talonex/talonex"
check "the desktop entry is valid" desktop-file-validate "$root/usr/share/applications/ar.com.talonex.Talonex.desktop"
check "the metainfo is valid" appstreamcli validate --no-net --explain "$root/usr/share/metainfo/ar.com.talonex.Talonex.metainfo.xml"

# --- Version and help, without a display -------------------------------------------------------
talonex="$root/usr/bin/talonex"
check "--version names the version" test "$(env -u DISPLAY -u QT_QPA_PLATFORM "$talonex" --version)" = "talonex $version"
help="$(env -u DISPLAY -u QT_QPA_PLATFORM "$talonex" --help)"
for key in @Server @DbName @Usuario @Password @UsuarioLogeado @Caja @ParametroAdicional @Menu --pdf; do
    check "--help lists $key" grep -q -- "$key" <<<"$help"
done
check "--help is in Spanish" grep -q "Uso: talonex" <<<"$help"

# --- The unpacked program, run by a user who cannot write its folder -----------------------------
data="$work/datos"
home="$work/casa"
mkdir -p "$data" "$home" "$work/temp"
"$root/usr/bin/talonex-demo" "$data" >/dev/null
if [ "$(id -u)" -eq 0 ]; then
    # The administrator writes anywhere: the program runs as an ordinary user instead.
    chown -R nobody:nogroup "$data" "$home" "$work/temp"
    chmod 0755 "$work"
    as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; }
else
    chmod -R a-w "$program_folder"
    as_user() { "$@"; }
fi
check "the user cannot write the program folder" as_user test ! -w "$program_folder"

own_folder="$home/.local/share/talonex"
params="@Server=file://$data; @DbName=TALONEX_DEMO; @Usuario=TESSARO; @Password=demo; @UsuarioLogeado=TESSARO; @Caja=1;"
run_program() { # run_program [ENV=VALUE...] -- ARGUMENTS...
    local env_args=()
    while [ "$1" != "--" ]; do env_args+=("$1"); shift; done
    shift
    as_user env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/.local/share" TEMP="$work/temp" \
        TMP="$work/temp" LANG=C.UTF-8 "${env_args[@]}" "$talonex" "$@"
}
# The sqlite3 shell lacks the program's text collation: its queries compare with BINARY.
access_rows() {
    as_user sqlite3 "$data/TALONEX_DEMO.db" "SELECT count(*) FROM Control_Acceso
        WHERE Usuario COLLATE BINARY = 'TESSARO' AND Formulario COLLATE BINARY = 'TALONEX'"
}

rc=0
run_program QT_QPA_PLATFORM=offscreen -- "$params" >"$work/run1.log" 2>&1 || rc=$?
cat "$work/run1.log"
check "headless start ends with 0 (was $rc)" test "$rc" -eq 0
check "the start recorded the access" test "$(access_rows)" -eq 1
check "the masks went to the user's folder" test "$(stat -c %s "$own_folder/consultas.tso" 2>/dev/null)" = $((11 * 1202))
check "nothing was written in the program folder" test ! -e "$program_folder/consultas.tso"

# A database without the menu table: the access read fails, is logged, and the start goes on.
as_user sqlite3 "$data/TALONEX_DEMO.db" "DROP TABLE TA_MENU"
rc=0
run_program QT_QPA_PLATFORM=offscreen -- "$params" >"$work/run2.log" 2>&1 || rc=$?
cat "$work/run2.log"
check "a start with a failing read ends with 0 (was $rc)" test "$rc" -eq 0
check "the access is recorded all the same" test "$(access_rows)" -eq 2
check "the data layer's log went to the user's folder" grep -q "Rutina: - AbrirRecordset" "$own_folder/TSERR.LOG"
check "no log in the program folder" test ! -e "$program_folder/TSERR.LOG"

# --- A cheque run through the window on a display, printed to a PDF ----------------------------
# The unpacked program on a private X server, worked with the keyboard as the operator works it:
# the test account, series B from number 100; Enter on the last field leads to "Cargar Cheques",
# Space presses it, Tab enters the list, Space ticks each of the five cheques, F10 numbers and
# prints them. The X events queue in order and each of these keys acts at once (a mnemonic such as
# Alt+C would press its button only after a short animation, behind the keys that follow).
fresh="$work/datos-ventana"
"$root/usr/bin/talonex-demo" "$fresh" >/dev/null
[ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$fresh"
window_params="${params//$data/$fresh}"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n 1 "$work/display")"
pdf="$work/temp/cheques.pdf"
run_program DISPLAY="$display" QT_QPA_PLATFORM=xcb -- --pdf "$pdf" "$window_params" >"$work/run3.log" 2>&1 &
program_pid=$!
keys() { DISPLAY="$display" xdotool "$@"; }
window="$(DISPLAY="$display" timeout 60 xdotool search --sync --onlyvisible --name '^Impresion de Cheques$' | head -n 1 || true)"
if [ -n "$window" ]; then
    keys windowfocus --sync "$window"
    keys key alt+b
    keys type --delay 20 "1.1.02.02"
    keys key Return
    keys type --delay 20 "B"
    keys key Return
    keys type --delay 20 "100"
    keys key Return space Tab space Down space Down space Down space Down space F10
    # The run lets window events through between cheques: close only once the PDF is whole.
    for _ in $(seq 600); do
        pdfinfo "$pdf" >/dev/null 2>&1 && break
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    keys key ctrl+q
fi
for _ in $(seq 300); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "the program is still open (a message box?); stopping it"
    DISPLAY="$display" xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null || true
    kill "$program_pid"
fi
rc=0
wait "$program_pid" || rc=$?
program_pid=""
cat "$work/run3.log"
check "the window was shown" test -n "$window"
check "the program closed with 0 after the run (was $rc)" test "$rc" -eq 0
check "the run printed a PDF" test -s "$pdf"
numbered="$(as_user sqlite3 "$fresh/TALONEX_DEMO.db" "SELECT group_concat(n, ' ') FROM
    (SELECT NroComprobanteBancario COLLATE BINARY AS n FROM MV_ASIENTOS WHERE Cuenta COLLATE BINARY = '1.1.02.02'
     AND Tipo_Reg COLLATE BINARY = 'C' AND NroComprobanteBancario GLOB 'B-1[0-9][0-9]' ORDER BY n)")"
check "the five cheques were numbered B-100 to B-104 (got: $numbered)" test "$numbered" = "B-100 B-101 B-102 B-103 B-104"
if [ -s "$pdf" ]; then
    text="$(pdftotext -layout "$pdf" -)"
    for number in 00000100 00000101 00000102 00000103 00000104; do
        check "the PDF prints cheque $number" grep -q "$number" <<<"$text"
    done
    check "the PDF prints the payee" grep -q "Distribuidora del Litoral" <<<"$text"
    check "the PDF prints the amount in words" grep -q "ciento veinticinco mil cuatrocientos treinta" <<<"$text"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures checks failed"
    exit 1
fi
echo "all checks passed"
