#!/bin/sh
# Checks the two Debian packages in DIR (default dist/) the way an office's
# administrator would meet them:
#   lintian (no error), the desktop entry, the AppStream data, the files each
#   package holds, the program unpacked into a fresh root started to its main
#   window and first-start file, the service unpacked the same way offering the
#   packages on its download page, and the systemd unit.
# Needs: lintian desktop-file-utils appstream file systemd xvfb x11-utils curl.
set -eu
dist=${1:-dist}
program_deb=$(ls "$dist"/lorvena_*.deb)
service_deb=$(ls "$dist"/lorvena-service_*.deb)

work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
# Runs a check. Inside it "set -e" does not hold (it runs as an if's
# condition), so every step that matters ends in "|| return 1".
check() { # description, command...
    what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        sed 's/^/     /' "$work/out"
        failures=$((failures + 1))
    fi
}
# Waits up to $1 tenths of a second for the command to succeed.
wait_for() {
    tries=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# --- lintian ---------------------------------------------------------------
# Errors fail; the warnings and notes are printed for the record.
lintian_rc=0
lintian --fail-on error --display-level ">=info" "$program_deb" "$service_deb" >"$work/lintian" 2>&1 ||
    lintian_rc=$?
sed 's/^/     /' "$work/lintian"
no_lintian_error() { [ "$lintian_rc" -eq 0 ] && ! grep '^E:' "$work/lintian"; }
check "lintian reports no error" no_lintian_error

root="$work/root"
dpkg -x "$program_deb" "$root"
dpkg -x "$service_deb" "$root"

# --- what the packages hold ------------------------------------------------
holds() { # deb, path...
    deb=$1
    shift
    dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/list"
    for path in "$@"; do
        grep -qx "$path" "$work/list" || { echo "missing: $path"; return 1; }
    done
}
icons=""
for size in 16 22 24 32 48 64 128 256; do
    icons="$icons /usr/share/icons/hicolor/${size}x${size}/apps/lorvena.png"
done
check "lorvena holds the program, its desktop files and manual" holds "$program_deb" \
    /usr/bin/lorvena /usr/share/applications/cz.lorvena.Lorvena.desktop \
    /usr/share/metainfo/cz.lorvena.Lorvena.metainfo.xml /usr/share/icons/hicolor/scalable/apps/lorvena.svg \
    $icons /usr/share/lorvena/lorvena-manual.md /usr/share/lorvena/hlavni-okno.png /usr/share/doc/lorvena/copyright /usr/share/man/man1/lorvena.1.gz
check "lorvena-service holds the service, its unit, options and nginx site" holds "$service_deb" \
    /usr/bin/lorvena-service /lib/systemd/system/lorvena-service.service /etc/default/lorvena-service \
    /usr/share/doc/lorvena-service/examples/nginx-lorvena-service.conf /usr/share/doc/lorvena-service/copyright
conffiles() { dpkg-deb -I "$service_deb" conffiles | grep -qx /etc/default/lorvena-service; }
check "the options file is a conffile" conffiles
icon_sizes() {
    for size in 16 22 24 32 48 64 128 256; do
        file "$root/usr/share/icons/hicolor/${size}x${size}/apps/lorvena.png" |
            grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || { echo "bad icon $size"; return 1; }
    done
}
check "the icon PNGs have their sizes" icon_sizes
resolved() {
    ldd "$root/usr/bin/lorvena" "$root/usr/bin/lorvena-service" >"$work/ldd" || return 1
    ! grep "not found" "$work/ldd"
}
check "every library of the programs is found" resolved
# Qt loads the journal's SQLite driver as a plugin, which no library lookup sees.
sqlite_driver() { dpkg-deb -f "$program_deb" Depends | grep -q 'libqt6sql6-sqlite'; }
check "lorvena depends on the SQLite driver of its journal" sqlite_driver

# --- desktop entry and AppStream -------------------------------------------
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/cz.lorvena.Lorvena.desktop"
check "appstreamcli validate" appstreamcli validate --no-net --pedantic \
    "$root/usr/share/metainfo/cz.lorvena.Lorvena.metainfo.xml"

# --- the installed program starts to its main window -----------------------
# It runs on its own X server; the data directory is fresh, so the first start
# writes lorvena.ini.
first_start() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    pids="$pids $xvfb"
    wait_for 100 test -s "$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
    display=:$(cat "$work/display")
    mkdir -p "$work/appdata" "$work/runtime" && chmod 700 "$work/runtime" || return 1
    # Started as the desktop entry says, from the unpacked root.
    exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/cz.lorvena.Lorvena.desktop")
    env -u QT_QPA_PLATFORM DISPLAY="$display" APPDATA="$work/appdata" XDG_RUNTIME_DIR="$work/runtime" \
        PATH="$root/usr/bin:$PATH" $exec_line >"$work/program.log" 2>&1 &
    program=$!
    pids="$pids $program"
    ini="$work/appdata/Lorvena/lorvena.ini"
    written_or_ended() { test -s "$ini" || ! kill -0 "$program"; }
    wait_for 300 written_or_ended && test -s "$ini" || { echo "no $ini"; cat "$work/program.log"; return 1; }
    shown() {
        id=$(DISPLAY="$display" xwininfo -root -tree | grep '"Lorvena - software pro tisk' | awk '{print $1}' | head -n 1)
        [ -n "$id" ] && DISPLAY="$display" xwininfo -id "$id" | grep -q "Map State: IsViewable"
    }
    wait_for 300 shown || { echo "no main window"; DISPLAY="$display" xwininfo -root -tree; return 1; }
    kill -0 "$program" || { echo "the program ended"; cat "$work/program.log"; return 1; }
    grep -q "^\[" "$ini" || { echo "lorvena.ini holds no section"; return 1; }
    kill "$program" "$xvfb"
}
check "the installed program shows its main window and writes lorvena.ini" first_start

# --- the installed service offers the packages ------------------------------
offers_packages() {
    "$root/usr/bin/lorvena-service" --port 0 --installer "$program_deb" --installer "$service_deb" \
        >"$work/service.log" 2>&1 &
    service=$!
    pids="$pids $service"
    wait_for 300 grep -q "naslouchá na" "$work/service.log" || { cat "$work/service.log"; return 1; }
    base=$(sed -n 's/.*naslouchá na \(http:[^ ]*\).*/\1/p' "$work/service.log")
    curl -fsS "$base/download/" >"$work/download.html" || return 1
    for deb in "$program_deb" "$service_deb"; do
        name=$(basename "$deb")
        grep -q "href=\"/download/$name\"" "$work/download.html" || { echo "no link to $name"; return 1; }
        curl -fsS -o "$work/$name" "$base/download/$name" || return 1
        cmp "$deb" "$work/$name" || return 1
    done
    kill "$service"
}
check "the installed service offers both packages on /download/" offers_packages

# --- the systemd unit ------------------------------------------------------
# A copy of the unit points at the unpacked root, so that verify checks the
# real program and options file; its man page is found there too.
unit_verifies() {
    mkdir -p "$work/units" || return 1
    sed -e "s|^ExecStart=/usr/bin/|ExecStart=$root/usr/bin/|" \
        -e "s|^EnvironmentFile=-/etc/|EnvironmentFile=-$root/etc/|" \
        "$root/lib/systemd/system/lorvena-service.service" >"$work/units/lorvena-service.service" || return 1
    grep -q "^ExecStart=$root/usr/bin/lorvena-service " "$work/units/lorvena-service.service" || return 1
    MANPATH="$root/usr/share/man" SYSTEMD_LOG_LEVEL=notice \
        systemd-analyze verify "$work/units/lorvena-service.service" >"$work/verify" 2>&1 || {
        cat "$work/verify"
        return 1
    }
    cat "$work/verify"
    # Unknown or mistyped settings are only warned about: they count here.
    ! grep -E "lorvena-service.service:[0-9]+:|Unknown|Failed|[Ii]nvalid|not executable|ignoring" "$work/verify"
}
check "systemd-analyze verify lorvena-service.service" unit_verifies
# The sandbox as systemd rates it: 0 is fully confined, 10 not at all.
exposure() {
    systemd-analyze security --offline=yes --threshold=20 "$work/units/lorvena-service.service" >"$work/security" 2>&1 ||
        { grep -e "✗" -e "exposure" "$work/security"; return 1; }
    grep "Overall exposure" "$work/security"
}
check "the unit's exposure is at most 2.0" exposure
grep "Overall exposure" "$work/security" | sed 's/^/     /' || true

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "all package checks passed"
