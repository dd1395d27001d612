#!/bin/sh
# Installs what is missing (Debian 12), builds, then starts the program
# ("./lorvena.sh"), starts the maker's web service ("./lorvena.sh service
# [its options]") or runs the whole test suite ("./lorvena.sh test": the
# formatting check, the normal build, then once more under AddressSanitizer
# and UndefinedBehaviorSanitizer).
set -e
cd "$(dirname "$0")"
mode=${1:-run}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# qt6-httpserver-dev needs qt6-websockets-dev for its CMake files but does not depend on it.
packages="build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev libcups2-dev
    qt6-httpserver-dev qt6-websockets-dev fonts-liberation2 fonts-dejavu-core"
[ "$mode" = test ] && packages="$packages cups cups-client cups-bsd poppler-utils clang-format git"
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
test)
    # Every source file as .clang-format has it; one that is not fails the run.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
    # The print tests send real jobs through a CUPS queue that captures them.
    as_root sh tests/cups/setup-capture-queue.sh || echo "no capture queue: the print-path tests will skip"
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    build build "-DLORVENA_WERROR=ON"
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-sanitize "-DLORVENA_WERROR=ON -DLORVENA_SANITIZE=ON -DLORVENA_BENCH=OFF"
    (cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j "$jobs")
    ;;
*)
    echo "usage: $0 [run|test|service [options]]" >&2
    exit 2
    ;;
esac
