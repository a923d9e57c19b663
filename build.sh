#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ふみよせ: install what is missing, build, and run the program or its tests.
#   ./build.sh run       build and start the program
#   ./build.sh test      build and run every test
#   ./build.sh package   build the Debian package build-package/fumiyose_<version>_<arch>.deb
#   ./build.sh sanitize  build and run every test under AddressSanitizer and UBSan
#   ./build.sh fuzz [s]  build the fuzz targets with clang and run each for s seconds (60)
#   ./build.sh fuzz-long [n]  the same targets without comparison tracing, each run
#                        for n executions (10,000,000), one per core at a time
#   ./build.sh tidy      build as for test, then run clang-tidy over every source file
# FUMI_WERROR=ON makes every compiler warning an error (CI sets it).
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages: what each is for is in the README. The program needs the
# first list; running it adds an input method front end, the package
# dpkg-shlibdeps, the tests the rest, the sanitizer and fuzz builds clang.
packages=(
    cmake g++ pkg-config make
    qt6-base-dev qt6-base-dev-tools libharfbuzz-dev libfontconfig-dev libjpeg62-turbo-dev
    fonts-ipafont qt6-translations-l10n
)
case "${1:-run}" in
    run) packages+=(fcitx5-frontend-qt6) ;;
    package) packages+=(dpkg-dev lintian appstream) ;;
    *) packages+=(libgtest-dev libgmock-dev libbenchmark-dev poppler-utils cups printer-driver-cups-pdf
        cups-ipp-utils avahi-daemon dbus dpkg-dev lintian appstream clang-format
        fcitx5 fcitx5-mozc fcitx5-frontend-qt6 xvfb xdotool) ;;
esac
case "${1:-run}" in
    sanitize | fuzz | fuzz-long) packages+=(clang-14 libclang-rt-14-dev) ;;
    tidy) packages+=(clang-tidy) ;;
esac

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # build <dir> [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -DFUMI_WERROR="${FUMI_WERROR:-OFF}" "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}

install_missing
case "${1:-run}" in
    run)
        build build -DFUMI_TESTS=OFF -DFUMI_BENCH=OFF
        exec ./build/bin/fumiyose
        ;;
    test)
        build build -DFUMI_TESTS=ON -DFUMI_BENCH=ON
        ctest --test-dir build --output-on-failure -j"$jobs"
        ;;
    package)
        build build-package -DFUMI_TESTS=OFF -DFUMI_BENCH=OFF -DCMAKE_BUILD_TYPE=Release
        rm -f build-package/*.deb
        (cd build-package && cpack -G DEB)
        ;;
    tidy)
        build build -DFUMI_TESTS=ON -DFUMI_BENCH=ON
        # Every source file of the project in the compilation database; the
        # generated ones (moc, uic) are not ours to mend. The database is GCC's,
        # and clang need not know each of its warning options.
        run-clang-tidy -p build -quiet -j"$jobs" -extra-arg=-Wno-unknown-warning-option \
            "^$PWD/(app|bench|book|editor|import|platform|postal|print|resources|tests|text|vertical)/.*\.cpp$"
        ;;
    sanitize)
        build build-sanitize -DCMAKE_CXX_COMPILER=clang++-14 \
            -DFUMI_SANITIZE=ON -DFUMI_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            LSAN_OPTIONS=suppressions=$PWD/tests/lsan_suppressions.txt:print_suppressions=0 \
            ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
        ;;
    fuzz)
        seconds=${2:-60}
        # Only the fuzz targets and the libraries they drive.
        cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 \
            -DFUMI_FUZZ=ON -DFUMI_BENCH=OFF >/dev/null
        cmake --build build-fuzz --target fumi_fuzzers -j"$jobs"
        tests/fuzz/run_all.sh build-fuzz "$seconds"
        ;;
    fuzz-long)
        executions=${2:-10000000}
        cmake -S . -B build-fuzz-fast -DCMAKE_CXX_COMPILER=clang++-14 \
            -DFUMI_FUZZ=ON -DFUMI_FUZZ_LONG=ON -DFUMI_BENCH=OFF >/dev/null
        cmake --build build-fuzz-fast --target fumi_fuzzers -j"$jobs"
        tests/fuzz/run_all.sh --runs "$executions" build-fuzz-fast
        ;;
    *)
        echo "usage: $0 run|test|package|tidy|sanitize|fuzz [seconds]|fuzz-long [executions]" >&2
        exit 2
        ;;
esac
