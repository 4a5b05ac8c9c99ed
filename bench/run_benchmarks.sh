#!/usr/bin/env bash
# Benchmarks of bkf-recover against cat on the same cached file, in one run.
#
#   bench/run_benchmarks.sh
#
# 1. Writes two synthetic backups into $BENCH_DIR (default /tmp/bkf-bench) unless
#    they are there already: large.bkf (1 GiB, 32 files of 32 MiB in 4 folders)
#    and many.bkf (4 GiB, 200,000 files of about 21 KB in 2,000 folders).
# 2. Warms the page cache, then times `cat BACKUP > /dev/null` and
#    `bkf-recover list BACKUP > /dev/null`, best of $BENCH_RUNS (default 3), and
#    prints the throughput and the ratio list/cat against the targets
#    (>= 90% for large.bkf, >= 80% for many.bkf).
# 3. Times `cat BACKUP > DEST/copy` against `bkf-recover extract BACKUP DEST` on
#    the filesystem of $BENCH_DIR (target >= 80% for large.bkf; files a second
#    for many.bkf), deleting each output right after it was timed.
# 4. Runs the window-thread batching benchmark (scan_bridge_bench, on many.bkf),
#    the tree benchmark (tree_bench) and the catalogue controls at a million
#    rows (browser_bench, offscreen) when they are built.
# 5. Runs the window benchmark (window_bench, offscreen): the scan of many.bkf in
#    the shown main frame against bkf-recover list (target <= 1.1 x), the largest
#    event-loop gap during it (target <= 50 ms), and start-up to the first
#    painted frame (target < 0.5 s).
#
# Needs about 5 GiB for the backups plus 4 GiB while an extraction runs.
# BUILD_DIR (default build/) is configured as Release if it does not exist.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BENCH_DIR=${BENCH_DIR:-/tmp/bkf-bench}
RUNS=${BENCH_RUNS:-3}
JOBS=${BKF_JOBS:-2}

MiB=$((1024 * 1024))
LARGE=$BENCH_DIR/large.bkf
MANY=$BENCH_DIR/many.bkf
OUT=$BENCH_DIR/extract-out
ERR=$BENCH_DIR/stderr.txt

cleanup() { rm -rf "$OUT"; }
trap cleanup EXIT

# --- build -------------------------------------------------------------------
if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD_DIR/CMakeCache.txt")
if [[ "$build_type" != "Release" ]]; then
    echo "warning: $BUILD_DIR is a '$build_type' build; the figures are meant for Release" >&2
fi
targets=(bkf-recover make_backup)
known_targets=$(cmake --build "$BUILD_DIR" --target help 2>/dev/null || true)
for optional in tree_bench scan_bridge_bench browser_bench window_bench; do
    if grep -q "^$optional:" <<<"$known_targets"; then
        targets+=("$optional")
    fi
done
cmake --build "$BUILD_DIR" --parallel "$JOBS" --target "${targets[@]}"
BKF=$BUILD_DIR/cli/bkf-recover
MAKE_BACKUP=$BUILD_DIR/bench/make_backup

# --- helpers -----------------------------------------------------------------
now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

# best_of FUNCTION ARG: runs FUNCTION ARG $RUNS times (calling `before_run`
# first when PREPARE is set, untimed) and sets BEST to the shortest time in s.
best_of() {
    local fn=$1 arg=$2 i t0 t1 us best_us=""
    for ((i = 0; i < RUNS; i++)); do
        if [[ -n "${PREPARE:-}" ]]; then "$PREPARE"; fi
        t0=$(now_us)
        if ! "$fn" "$arg"; then
            echo "error: $fn $arg failed:" >&2
            cat "$ERR" >&2 || true
            return 1
        fi
        t1=$(now_us)
        us=$((10#$t1 - 10#$t0))
        if [[ -z "$best_us" ]] || ((us < best_us)); then best_us=$us; fi
    done
    BEST=$(awk -v us="$best_us" 'BEGIN { printf "%.3f", us / 1e6 }')
}

mibps() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.0f", b / 1048576 / s }'; }
# ratio FAST_TIME SLOW_TIME TARGET_PERCENT: "92.1 %  (target >= 90 %)  met"
ratio() {
    awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN {
        r = 100 * a / b
        printf "%.1f %%  (target >= %d %%)  %s", r, t, (r >= t ? "met" : "NOT MET") }'
}
size_of() { stat -c %s "$1"; }
human() { awk -v b="$1" 'BEGIN { printf "%.2f GiB", b / 1073741824 }'; }

cat_null() { cat "$1" >/dev/null; }
list_null() { "$BKF" list "$1" >/dev/null 2>"$ERR"; }
cat_copy() { cat "$1" >"$OUT/copy"; }
extract_run() { "$BKF" extract "$1" "$OUT" >/dev/null 2>"$ERR"; }
fresh_out() { rm -rf "$OUT"; mkdir -p "$OUT"; sync; }

generate() {
    local path=$1
    shift
    if [[ -f "$path" ]]; then
        echo "using $path ($(human "$(size_of "$path")"))"
        return
    fi
    echo "writing $path ..."
    "$MAKE_BACKUP" "$path.partial" "$@"
    mv "$path.partial" "$path"
}

# --- backups -----------------------------------------------------------------
mkdir -p "$BENCH_DIR"
avail_kib=$(df -Pk "$BENCH_DIR" | awk 'NR == 2 { print $4 }')
if ((avail_kib < 10 * 1024 * 1024)); then
    echo "warning: $BENCH_DIR has $((avail_kib / 1024)) MiB free; about 10 GiB are needed" >&2
fi
generate "$LARGE" --files 32 --dirs 4 --file-size $((32 * MiB))
generate "$MANY" --files 200000 --dirs 2000 --file-size 20971

echo "warming the page cache ..."
cat "$LARGE" "$MANY" >/dev/null

# Each backup lists the files it was written with.
count_rows() {
    "$BKF" list "$1" >"$BENCH_DIR/list.txt" 2>"$ERR" || { cat "$ERR" >&2; exit 1; }
    wc -l <"$BENCH_DIR/list.txt"
    rm -f "$BENCH_DIR/list.txt"
}
large_rows=$(count_rows "$LARGE")
many_rows=$(count_rows "$MANY")
if ((large_rows != 32 || many_rows != 200000)); then
    echo "warning: bkf-recover list found $large_rows and $many_rows rows (expected 32 and 200000)" >&2
fi

echo
echo "bkf-recover: $("$BKF" --version 2>/dev/null || echo '?'); $(nproc) cores; best of $RUNS runs"

# --- list against cat ----------------------------------------------------------
bench_list() {
    local backup=$1 label=$2 target=$3 bytes cat_s list_s
    bytes=$(size_of "$backup")
    echo
    echo "== list: $label ($(basename "$backup"), $(human "$bytes"))"
    PREPARE="" best_of cat_null "$backup"; cat_s=$BEST
    PREPARE="" best_of list_null "$backup"; list_s=$BEST
    printf '  %-28s %8s s  %6s MiB/s\n' "cat BACKUP > /dev/null" "$cat_s" "$(mibps "$bytes" "$cat_s")"
    printf '  %-28s %8s s  %6s MiB/s\n' "bkf-recover list" "$list_s" "$(mibps "$bytes" "$list_s")"
    printf '  %-28s %s\n' "list / cat" "$(ratio "$cat_s" "$list_s" "$target")"
}
bench_list "$LARGE" "1 GiB backup of 32 large files" 90
bench_list "$MANY" "4 GiB backup of 200,000 files in 2,000 folders" 80

if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f '%M' -o "$BENCH_DIR/rss.txt" "$BKF" list "$MANY" >/dev/null 2>&1
    rss_kib=$(tail -n 1 "$BENCH_DIR/rss.txt")
    printf '  %-28s %s MiB\n' "list peak memory (200k)" "$((rss_kib / 1024))"
fi

# --- extract against cat -----------------------------------------------------
bench_extract() {
    local backup=$1 label=$2 rows=$3 target=$4 bytes cat_s ext_s
    bytes=$(size_of "$backup")
    echo
    echo "== extract: $label ($(basename "$backup"), $(human "$bytes")), output on the same filesystem"
    PREPARE=fresh_out best_of cat_copy "$backup"; cat_s=$BEST
    fresh_out
    PREPARE=fresh_out best_of extract_run "$backup"; ext_s=$BEST
    fresh_out
    printf '  %-28s %8s s  %6s MiB/s\n' "cat BACKUP > DEST/copy" "$cat_s" "$(mibps "$bytes" "$cat_s")"
    printf '  %-28s %8s s  %6s MiB/s  %s files/s\n' "bkf-recover extract" "$ext_s" "$(mibps "$bytes" "$ext_s")" \
        "$(awk -v n="$rows" -v s="$ext_s" 'BEGIN { printf "%.0f", n / s }')"
    if [[ -n "$target" ]]; then
        printf '  %-28s %s\n' "extract / cat" "$(ratio "$cat_s" "$ext_s" "$target")"
    else
        printf '  %-28s %s\n' "extract / cat" "$(awk -v a="$cat_s" -v b="$ext_s" 'BEGIN { printf "%.1f %%", 100 * a / b }')"
    fi
}

# The command arrived after `list`: time it only when it works on this build.
fresh_out
if "$BKF" extract "$LARGE" "$OUT" >/dev/null 2>"$ERR"; then
    fresh_out
    bench_extract "$LARGE" "1 GiB backup of 32 large files" "$large_rows" 80
    bench_extract "$MANY" "200,000 files in 2,000 folders" "$many_rows" ""
else
    echo
    echo "== extract: skipped (bkf-recover extract failed on this build: $(head -n 1 "$ERR"))"
fi
rm -rf "$OUT"

# --- window-thread batching and tree ------------------------------------------
if [[ -x "$BUILD_DIR/bench/scan_bridge_bench" ]]; then
    echo
    echo "== scan_bridge_bench: scan of the 200,000-file backup through the window-thread bridge (target <= 1.2 x headless)"
    [[ -d "$BENCH_DIR/xdg-runtime" ]] || mkdir -m 700 "$BENCH_DIR/xdg-runtime"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$BENCH_DIR/xdg-runtime" "$BUILD_DIR/bench/scan_bridge_bench" "$MANY"
fi
if [[ -x "$BUILD_DIR/bench/tree_bench" ]]; then
    echo
    echo "== tree_bench"
    "$BUILD_DIR/bench/tree_bench"
fi
if [[ -x "$BUILD_DIR/bench/browser_bench" ]]; then
    echo
    echo "== browser_bench: tree, contents list and found-files list at 1,000,000 rows (offscreen, repaints included)"
    [[ -d "$BENCH_DIR/xdg-runtime" ]] || mkdir -p -m 700 "$BENCH_DIR/xdg-runtime"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$BENCH_DIR/xdg-runtime" "$BUILD_DIR/bench/browser_bench"
fi
if [[ -x "$BUILD_DIR/bench/window_bench" ]]; then
    echo
    echo "== window_bench: the 200,000-file backup scanned in the shown window, and start-up (offscreen)"
    [[ -d "$BENCH_DIR/xdg-runtime" ]] || mkdir -p -m 700 "$BENCH_DIR/xdg-runtime"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$BENCH_DIR/xdg-runtime" \
        "$BUILD_DIR/bench/window_bench" scan "$MANY" "$RUNS" 2>&1 >/dev/null
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$BENCH_DIR/xdg-runtime" "$BUILD_DIR/bench/window_bench" startup
fi
