#!/bin/sh
# Installs what is missing (Debian 12), builds Kelvane, then either opens the
# design window (run), runs every test headless (test), or runs each fuzzer
# for SECONDS (fuzz [SECONDS], 60 by default).
set -eu
cd "$(dirname "$0")/.."

mode=${1:-run}
packages="cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-noto-cjk
    fonts-dejavu-core qt6-translations-l10n qt6-l10n-tools qt6-tools-dev"
if [ "$mode" = test ]; then
    packages="$packages libgtest-dev libbenchmark-dev locales clang-format clang-tidy poppler-utils
        ngspice"
fi
# The sanitizer build and the fuzzers need clang, its sanitizer runtimes and
# a symbolizer for readable reports; the build configures the tests, which
# need GoogleTest, the locale tools, clang-format and clang-tidy.
guard_packages="clang-14 libclang-rt-14-dev llvm-14 libgtest-dev locales clang-format clang-tidy"
case "$mode" in
    test | fuzz) packages="$packages $guard_packages" ;;
esac

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

# The engine, its tests, kelvane-cli and the fuzzers under AddressSanitizer
# and UndefinedBehaviorSanitizer (preset asan).
build_sanitized() {
    cmake --preset asan >/dev/null
    cmake --build --preset asan
}

# Each fuzzer for $1 seconds, two at a time. New inputs collect in
# build-asan/fuzz/corpus, findings in build-asan/fuzz/findings; the seeds and
# reproducers in fuzz/ are read, never written.
run_fuzzers() {
    seconds=$1
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
    failed=""
    set -- design_file number_text csv_import design_script check_input
    while [ $# -gt 0 ]; do
        pids=""
        for target in "$1" "${2:-}"; do
            [ -n "$target" ] || continue
            mkdir -p "build-asan/fuzz/corpus/$target" "build-asan/fuzz/findings"
            # libFuzzer stops at a corpus folder that does not exist.
            seeds=""
            for folder in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
                [ ! -d "$folder" ] || seeds="$seeds $folder"
            done
            "build-asan/bin/fuzz_$target" -max_total_time="$seconds" -timeout=20 \
                -print_final_stats=1 -artifact_prefix="build-asan/fuzz/findings/$target-" \
                "build-asan/fuzz/corpus/$target" $seeds >"build-asan/fuzz/$target.log" 2>&1 &
            pids="$pids $!:$target"
        done
        for entry in $pids; do
            if wait "${entry%%:*}"; then
                echo "fuzz ${entry#*:}: $(grep -m1 'stat::number_of_executed_units' "build-asan/fuzz/${entry#*:}.log" | sed 's/.*: *//') runs, no finding"
            else
                tail -n 40 "build-asan/fuzz/${entry#*:}.log"
                failed="$failed ${entry#*:}"
            fi
        done
        shift
        [ $# -eq 0 ] || shift
    done
    if [ -n "$failed" ]; then
        echo "fuzzers with findings:$failed (inputs in build-asan/fuzz/findings)" >&2
        return 1
    fi
}

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
        # The benchmarks are built, not run: a change that breaks them fails here.
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=ON -DKELVANE_WERROR=ON \
            -DKELVANE_BUILD_BENCHMARKS=ON
        cmake --build "$build" -j2
        export QT_QPA_PLATFORM=offscreen
        (cd "$build" && ctest --output-on-failure -j2)
        build_sanitized
        run_fuzzers 30
        ctest --preset asan
        ;;
    fuzz)
        build_sanitized
        run_fuzzers "${2:-60}"
        ;;
    *)
        echo "usage: $0 run|check-run [FOLDER]|test|fuzz [SECONDS]" >&2
        exit 2
        ;;
esac
