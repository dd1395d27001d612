#!/bin/sh
# Installs what is missing (Debian 12), builds, then starts the program
# ("./lorvena.sh"), starts the maker's web service ("./lorvena.sh service
# [its options]"), writes the Debian packages into dist/ ("./lorvena.sh
# package") or runs the whole test suite ("./lorvena.sh test": the formatting
# check, the normal build, its packages and their checks, then once more under AddressSanitizer
# and UndefinedBehaviorSanitizer).
set -e
cd "$(dirname "$0")"
mode=${1:-run}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# qt6-httpserver-dev needs qt6-websockets-dev for its CMake files but does not depend on it;
# libarchive-dev unpacks the register's open data for the service's local copy;
# libcups2-dev lets the program ask the print system with a time limit;
# qt6-translations-l10n holds the Czech texts of Qt's own dialogs and buttons;
# libqt6sql6-sqlite is the SQLite driver of the journal of issued numbers.
packages="build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev libcups2-dev
    qt6-httpserver-dev qt6-websockets-dev libarchive-dev qt6-translations-l10n fonts-liberation2 fonts-dejavu-core
    libqt6sql6-sqlite"
# Making the packages: dpkg-shlibdeps finds their dependencies, file finds the programs in them.
[ "$mode" = test ] || [ "$mode" = package ] && packages="$packages dpkg-dev file"
[ "$mode" = test ] && packages="$packages cups cups-client cups-bsd poppler-utils
    qt6-svg-dev lintian desktop-file-utils appstream systemd xvfb x11-utils curl
    clang-format git"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

jobs=$(nproc 2>/dev/null || echo 2)
build() { # dir, extra cmake options
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo $2 >/dev/null
    cmake --build "$1" -j "$jobs"
}
package_options="-DLORVENA_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr"
make_packages() { # build dir: its two .deb files into dist/
    cmake --build "$1" -j "$jobs" --target lorvena lorvena-service lorvena-package-files
    rm -rf "$1/dist"
    (cd "$1" && cpack >/dev/null)
    mkdir -p dist
    rm -f dist/lorvena_*.deb dist/lorvena-service_*.deb
    cp "$1"/dist/*.deb dist/
    ls -1 dist/*.deb
}

case "$mode" in
run)
    build build
    exec ./build/lorvena
    ;;
service)
    build build
    shift
    exec ./build/service/lorvena-service "$@"
    ;;
package)
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $package_options >/dev/null
    make_packages build
    ;;
test)
    # Every source file as .clang-format has it; one that is not fails the run.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
    # The print tests send real jobs through a CUPS queue that captures them.
    as_root sh tests/cups/setup-capture-queue.sh || echo "no capture queue: the print-path tests will skip"
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    build build "-DLORVENA_WERROR=ON $package_options"
    (cd build && ctest --output-on-failure -j "$jobs")
    make_packages build
    sh packaging/check-packages.sh dist
    build build-sanitize "-DLORVENA_WERROR=ON -DLORVENA_SANITIZE=ON -DLORVENA_BENCH=OFF"
    (cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j "$jobs")
    ;;
*)
    echo "usage: $0 [run|test|package|service [options]]" >&2
    exit 2
    ;;
esac
