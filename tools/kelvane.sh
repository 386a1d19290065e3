#!/bin/sh
# Installs what is missing (Debian 12), builds Kelvane, then either opens the
# design window (run) or runs every test headless (test).
set -eu
cd "$(dirname "$0")/.."

mode=${1:-run}
packages="cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-noto-cjk
    fonts-dejavu-core qt6-translations-l10n"
if [ "$mode" = test ]; then
    packages="$packages libgtest-dev locales clang-format poppler-utils"
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

# What the run command builds: the window, kelvane-cli, and what the window
# loads from beside itself (the catalogue, the family pictures).
build_for_run() {
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF
    cmake --build "$1" -j2 --target kelvane kelvane-cli
}

# Builds as the run command does in a clean folder, then runs a design
# script through the window on the default catalogue: it must list
# materials and cores and show no message.
check_run() {
    folder=$1
    rm -rf "$folder"
    build_for_run "$folder"
    script="$folder/first-run.script"
    printf 'page 1\ndump\n' >"$script"
    snapshot=$(QT_QPA_PLATFORM=offscreen "$folder/bin/kelvane" --run-script "$script" 2>/dev/null)
    for pattern in '"Data1":{"count":[1-9]' '"Data2":{[^}]*"count":[1-9]' '"messages":\[\]'; do
        if ! printf '%s' "$snapshot" | grep -q "$pattern"; then
            echo "check-run: the first run's snapshot lacks $pattern:" >&2
            printf '%s\n' "$snapshot" >&2
            return 1
        fi
    done
    for picture in data/pictures/*.GIF; do
        if [ ! -f "$folder/bin/${picture##*/}" ]; then
            echo "check-run: ${picture##*/} is missing beside the window" >&2
            return 1
        fi
    done
    echo "check-run: the run command's build opens on the bundled catalogue"
}

build=build
case "$mode" in
    run)
        build_for_run "$build"
        exec "$build/bin/kelvane"
        ;;
    check-run)
        check_run "${2:-build-run-check}"
        ;;
    test)
        check_run build-run-check
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=ON
        cmake --build "$build" -j2
        export QT_QPA_PLATFORM=offscreen
        cd "$build" && ctest --output-on-failure -j2
        ;;
    *)
        echo "usage: $0 run|check-run [FOLDER]|test" >&2
        exit 2
        ;;
esac
