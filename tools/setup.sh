#!/usr/bin/env bash
# Sets up a fresh Debian machine for quibo, builds it, and then either opens
# the reader ("run") or runs every test under a virtual display ("test").
# "sanitize" builds the tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer into their own folder and runs them the same way.
# The tests include the installed tree and the Debian package, with the
# desktop entry and the AppStream metadata checked by their validators.
# "fuzz" builds the fuzzers with clang and libFuzzer into build-fuzz/ and runs
# each for a bounded time (QUIBO_FUZZ_SECONDS, 60 by default) on a scratch
# copy of its seeds; a crash or sanitizer report fails it.
set -euo pipefail

mode="${1:-run}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUIBO_BUILD_DIR:-$here/build}"
sanitize_build="${QUIBO_SANITIZE_BUILD_DIR:-$here/build-sanitize}"
fuzz_build="${QUIBO_FUZZ_BUILD_DIR:-$here/build-fuzz}"

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev libsonic-dev
  libgl-dev libgl1-mesa-dri libfontconfig-dev
  libjsoncpp-dev libplist-dev libssl-dev
  fonts-liberation2 fonts-dejavu-core fonts-noto-cjk
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool
  python3 python3-pil
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-dev
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

run_tests() {
  # Rendering tests need a display: a private virtual one with software GL.
  export LIBGL_ALWAYS_SOFTWARE=1
  export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
  local dir="$1"
  shift
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j2 "$@"
}

if [ "$mode" = sanitize ]; then
  # One failed check stops the test that made it; leaks are reported at the
  # exit of every test process, except those inside system libraries.
  flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake -S "$here" -B "$sanitize_build" -DCMAKE_BUILD_TYPE=Debug -DQUIBO_BENCH=OFF -DQUIBO_WERROR=ON \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
  cmake --build "$sanitize_build" -j"$(nproc)"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
  # Thread-local storage is not scanned: Mesa's driver leaves its storage
  # listed after it is unloaded, and scanning that crashed the leak checker
  # ("Tracer caught signal 11") after tests that had passed.
  export LSAN_OPTIONS="suppressions=$here/tests/journeys/lsan.supp:print_suppressions=0:use_tls=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  # The sanitizer keeps freed memory aside to catch late uses, so a test of
  # the process's resident size cannot hold there; live objects and leaks
  # are still checked by the soak entry. Installation and packaging are
  # checked once, by the normal build.
  # A failed test runs once more, for the rare crash of the sanitizer's own
  # runtime after a test passed; a real fault fails both times.
  run_tests "$sanitize_build" -E 'MemoryFlat|install_tree|deb_package' --repeat until-pass:2
  exit $?
fi

if [ "$mode" = fuzz ]; then
  seconds="${QUIBO_FUZZ_SECONDS:-60}"
  cmake -S "$here" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIBO_FUZZ=ON -DQUIBO_TESTS=OFF -DQUIBO_WERROR=ON \
        -DQUIBO_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$fuzz_build" -j"$(nproc)" --target layout_read_fuzzer plist_sheet_fuzzer
  # Leaks inside system libraries (font configuration caches) are not ours.
  export LSAN_OPTIONS="suppressions=$here/tests/journeys/lsan.supp:print_suppressions=0"
  export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  status=0
  for pair in layout_read_fuzzer:corpus:layout.dict plist_sheet_fuzzer:corpus-sheet:sheet.dict; do
    IFS=: read -r fuzzer seeds dict <<<"$pair"
    mkdir -p "$work/$fuzzer"
    cp "$here/fuzz/$seeds"/* "$work/$fuzzer/"
    echo "fuzzing $fuzzer for $seconds s"
    # One input may take at most 10 s and 2 GB; findings land in the work folder.
    if ! (cd "$work" && "$fuzz_build/fuzz/$fuzzer" "$work/$fuzzer" -dict="$here/fuzz/$dict" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=1 -print_final_stats=1 \
            -artifact_prefix="$work/"); then
      echo "$fuzzer found a fault; the input that shows it is kept in $fuzz_build/findings/"
      mkdir -p "$fuzz_build/findings"
      for f in "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-*; do
        if [ -f "$f" ]; then cp "$f" "$fuzz_build/findings/"; fi
      done
      status=1
    fi
  done
  exit $status
fi

# Tests (and so CI) build with warnings as errors; "run" does not, so a newer
# compiler's new warning cannot keep a parent from opening the reader.
werror=OFF
if [ "$mode" = test ]; then werror=ON; fi
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIBO_WERROR="$werror" >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)
    exec "$build/app/quibo"
    ;;
  test)
    run_tests "$build"
    ;;
  *)
    echo "usage: tools/setup.sh run|test|sanitize|fuzz" >&2
    exit 2
    ;;
esac
