#!/bin/sh
# Installs what is missing (Debian 12), builds Kelvane, then either opens the
# design window (run) or runs every test headless (test).
set -eu
cd "$(dirname "$0")/.."

mode=${1:-run}
packages="cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-noto-cjk
    qt6-translations-l10n"
if [ "$mode" = test ]; then
    packages="$packages libgtest-dev locales"
fi

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

build=build
case "$mode" in
    run)
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF
        cmake --build "$build" -j2 --target kelvane kelvane-cli
        exec "$build/bin/kelvane"
        ;;
    test)
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=ON
        cmake --build "$build" -j2
        export QT_QPA_PLATFORM=offscreen
        cd "$build" && ctest --output-on-failure -j2
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
