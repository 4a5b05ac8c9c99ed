#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Benchmarks of bkf-recover against cat on the same cached file, in one run.
#
#   bench/run_benchmarks.sh
#
# 1. Writes four synthetic backups into $BENCH_DIR (default /tmp/bkf-bench)
#    unless they are there already: large.bkf (1 GiB, 32 files of 32 MiB),
#    small.bkf (1.5 GB, 120,000 files of 12.5 KB in 1,500 folders), many.bkf
#    (4 GiB, 200,000 files in 2,000 folders) and million.bkf (1,000,000 files).
# 2. With the backups cached: `cat BACKUP > /dev/null` against `bkf-recover
#    list`, best of $BENCH_RUNS (default 3), throughput ratio and target.
# 3. The deep scan (`list --deep`) against cat on the intact backups and on
#    copies that lost 7 bytes at 1 MiB (shifted-large.bkf, shifted-small.bkf,
#    written once), target >= 60 %, with the user and system CPU of each.
# 4. Peak memory of list and list --deep at 1,000,000 files and of extract at 120,000.
# 5. Extraction of every file, `sync -f` included: against `cat BACKUP >
#    DEST/copy` for large.bkf, against GNU tar extracting the same files (a tar
#    made from a first extraction) for small.bkf, and with the backup evicted
#    from the page cache before each run (posix_fadvise DONTNEED through dd).
# 6. The window-thread batching benchmark (scan_bridge_bench), the tree benchmark
#    (tree_bench) and the catalogue controls at a million rows (browser_bench,
#    offscreen) when they are built.
# 7. The window benchmark (window_bench, offscreen): the scan of many.bkf in the
#    shown main frame against bkf-recover list (target <= 1.1 x), the largest
#    event-loop gap during it (target <= 50 ms), and start-up to the first
#    painted frame (target < 0.5 s).
#
# Needs about 10.5 GiB for the backups plus 2 GiB while an extraction runs.
# BUILD_DIR (default build/) is configured as Release if it does not exist.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BENCH_DIR=${BENCH_DIR:-/tmp/bkf-bench}
RUNS=${BENCH_RUNS:-3}
JOBS=${BKF_JOBS:-2}

MiB=$((1024 * 1024))
LARGE=$BENCH_DIR/large.bkf
SMALL=$BENCH_DIR/small.bkf
MANY=$BENCH_DIR/many.bkf
MILLION=$BENCH_DIR/million.bkf
OUT=$BENCH_DIR/extract-out
ERR=$BENCH_DIR/stderr.txt

cleanup() { rm -rf "$OUT" "$BENCH_DIR/old-outputs"; }
trap cleanup EXIT

# --- build -------------------------------------------------------------------
# test.sh configures build/ without the benchmarks: turn them on.
if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBKF_BUILD_BENCH=ON
else
    cmake -S "$ROOT" -B "$BUILD_DIR" -DBKF_BUILD_BENCH=ON >/dev/null
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
# Earlier outputs are moved aside, not deleted, until the end: right after
# files are deleted, ext4 passes over their inodes when it allocates new ones
# (for up to five minutes), which would slow whichever run comes next.
TRASH=$BENCH_DIR/old-outputs
fresh_out()
{
    mkdir -p "$TRASH"
    if [[ -e "$OUT" ]]; then mv "$OUT" "$TRASH/$(date +%s%N)"; fi
    mkdir -p "$OUT"
    sync
}

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
if ((avail_kib < 14 * 1024 * 1024)); then
    echo "warning: $BENCH_DIR has $((avail_kib / 1024)) MiB free; about 14 GiB are needed" >&2
fi
generate "$LARGE" --files 32 --dirs 4 --file-size $((32 * MiB))
generate "$SMALL" --files 120000 --dirs 1500 --file-size 12500
generate "$MANY" --files 200000 --dirs 2000 --file-size 20971
generate "$MILLION" --files 1000000 --dirs 10000 --file-size 100

echo "warming the page cache ..."
cat "$LARGE" "$SMALL" "$MANY" >/dev/null

# Each backup lists the files it was written with.
count_rows() {
    "$BKF" list "$1" >"$BENCH_DIR/list.txt" 2>"$ERR" || { cat "$ERR" >&2; exit 1; }
    wc -l <"$BENCH_DIR/list.txt"
    rm -f "$BENCH_DIR/list.txt"
}
large_rows=$(count_rows "$LARGE")
small_rows=$(count_rows "$SMALL")
many_rows=$(count_rows "$MANY")
if ((large_rows != 32 || small_rows != 120000 || many_rows != 200000)); then
    echo "warning: bkf-recover list found $large_rows, $small_rows and $many_rows rows" \
         "(expected 32, 120000 and 200000)" >&2
fi

echo
echo "bkf-recover: $("$BKF" --version 2>/dev/null | head -n 1 || echo '?'); $(nproc) cores; best of $RUNS runs"

# --- list against cat ----------------------------------------------------------
# bench_list BACKUP LABEL TARGET [COMMAND FUNCTION]: cat against bkf-recover.
bench_list() {
    local backup=$1 label=$2 target=$3 command=${4:-list} fn=${5:-list_null} bytes cat_s list_s
    bytes=$(size_of "$backup")
    echo
    echo "== $command: $label ($(basename "$backup"), $(human "$bytes")), cached"
    PREPARE="" best_of cat_null "$backup"; cat_s=$BEST
    PREPARE="" best_of "$fn" "$backup"; list_s=$BEST
    printf '  %-34s %8s s  %6s MiB/s\n' "cat BACKUP > /dev/null" "$cat_s" "$(mibps "$bytes" "$cat_s")"
    printf '  %-34s %8s s  %6s MiB/s\n' "bkf-recover $command > /dev/null" "$list_s" "$(mibps "$bytes" "$list_s")"
    printf '  %-34s %s\n' "throughput $command / cat" "$(ratio "$cat_s" "$list_s" "$target")"
}
bench_list "$LARGE" "1 GiB of 32 large files" 100
bench_list "$SMALL" "1.5 GB of 120,000 files in 1,500 folders" 90
bench_list "$MANY" "4 GiB of 200,000 files in 2,000 folders" 80

# --- the deep scan against cat -------------------------------------------------
# The intact backups, and copies that lost 7 bytes at 1 MiB (every block after
# them lies off the grid), made once from backups written the same way.
deep_list_null() { "$BKF" list --deep "$1" >/dev/null 2>"$ERR"; }
cpu_seconds() {
    /usr/bin/time -f '%U s user, %S s system' -o "$BENCH_DIR/cpu.txt" "$@" >/dev/null 2>&1
    cat "$BENCH_DIR/cpu.txt"
}
shifted() {
    local path=$1
    shift
    if [[ ! -f "$path" ]]; then
        echo "writing $path ..."
        "$MAKE_BACKUP" "$path.whole" "$@" >/dev/null
        { head -c "$MiB" "$path.whole"; tail -c +$((MiB + 8)) "$path.whole"; } >"$path.partial"
        rm -f "$path.whole"
        mv "$path.partial" "$path"
    fi
}
bench_deep() {
    local backup=$1 label=$2
    cat "$backup" >/dev/null
    bench_list "$backup" "$label, $("$BKF" list --deep "$backup" 2>/dev/null | wc -l) files found" 60 \
        "list --deep" deep_list_null
    if [[ -x /usr/bin/time ]]; then
        printf '  %-34s %s\n' "CPU of cat" "$(cpu_seconds cat "$backup")"
        printf '  %-34s %s\n' "CPU of list --deep" "$(cpu_seconds "$BKF" list --deep "$backup")"
    fi
}
shifted "$BENCH_DIR/shifted-large.bkf" --files 32 --dirs 4 --file-size $((32 * MiB))
shifted "$BENCH_DIR/shifted-small.bkf" --files 120000 --dirs 1500 --file-size 12500
bench_deep "$LARGE" "1 GiB of 32 large files"
bench_deep "$SMALL" "1.5 GB of 120,000 files in 1,500 folders"
bench_deep "$BENCH_DIR/shifted-large.bkf" "1 GiB of 32 large files, 7 bytes lost at 1 MiB"
bench_deep "$BENCH_DIR/shifted-small.bkf" "1.5 GB of 120,000 files, 7 bytes lost at 1 MiB"

# --- memory ------------------------------------------------------------------
peak_mib() {
    /usr/bin/time -f '%M' -o "$BENCH_DIR/rss.txt" "$@" >/dev/null 2>&1
    awk '{ v = $1 } END { printf "%.1f", v / 1024 }' "$BENCH_DIR/rss.txt"
}
if [[ -x /usr/bin/time ]]; then
    echo
    echo "== memory (peak resident set)"
    printf '  %-34s %s MiB  (target < 20 MiB)\n' "list, 1,000,000 files" "$(peak_mib "$BKF" list "$MILLION")"
    printf '  %-34s %s MiB  (flat: as list)\n' "list --deep, 1,000,000 files" \
        "$(peak_mib "$BKF" list --deep "$MILLION")"
    fresh_out
    printf '  %-34s %s MiB\n' "extract, 120,000 files" "$(peak_mib "$BKF" extract "$SMALL" "$OUT")"
    fresh_out
fi

# --- extract against cat and tar, write-back included ---------------------------
cat_copy_sync() { cat "$1" >"$OUT/copy" && sync -f "$OUT"; }
extract_sync() { "$BKF" extract "$1" "$OUT" >/dev/null 2>"$ERR" && sync -f "$OUT"; }
tar_sync() { tar -xf "$1" -C "$OUT" && sync -f "$OUT"; }
evict() { dd if="$1" iflag=nocache count=0 status=none; }
resident_kib() { fincore -b -n -o RES "$1" 2>/dev/null | awk '{ printf "%d", $1 / 1024 }'; }

bench_extract() {
    local backup=$1 label=$2 rows=$3 target=$4 bytes cat_s ext_s
    bytes=$(size_of "$backup")
    echo
    echo "== extract every file: $label ($(basename "$backup"), $(human "$bytes")), cached, sync -f included"
    PREPARE=fresh_out best_of cat_copy_sync "$backup"; cat_s=$BEST
    PREPARE=fresh_out best_of extract_sync "$backup"; ext_s=$BEST
    fresh_out
    printf '  %-34s %8s s  %6s MiB/s\n' "cat BACKUP > DEST/copy; sync" "$cat_s" "$(mibps "$bytes" "$cat_s")"
    printf '  %-34s %8s s  %6s MiB/s  %s files/s\n' "bkf-recover extract; sync" "$ext_s" \
        "$(mibps "$bytes" "$ext_s")" "$(awk -v n="$rows" -v s="$ext_s" 'BEGIN { printf "%.0f", n / s }')"
    printf '  %-34s %s\n' "throughput extract / cat" "$(ratio "$cat_s" "$ext_s" "$target")"
}

bench_extract_tar() {
    local backup=$1 label=$2 tar_s ext_s
    echo
    echo "== extract every file: $label, against GNU tar extracting the same files, sync -f included"
    fresh_out
    "$BKF" extract "$backup" "$OUT" >/dev/null 2>"$ERR"
    tar -cf "$BENCH_DIR/small.tar" -C "$OUT" .
    fresh_out
    # Turn about, so that whatever the file system still does for one run
    # weighs on both alike.
    local i best_tar="" best_ext=""
    for ((i = 0; i < RUNS; i++)); do
        RUNS=1 PREPARE=fresh_out best_of tar_sync "$BENCH_DIR/small.tar"
        best_tar=$(awk -v a="$BEST" -v b="${best_tar:-$BEST}" 'BEGIN { print (a < b ? a : b) }')
        RUNS=1 PREPARE=fresh_out best_of extract_sync "$backup"
        best_ext=$(awk -v a="$BEST" -v b="${best_ext:-$BEST}" 'BEGIN { print (a < b ? a : b) }')
    done
    tar_s=$best_tar
    ext_s=$best_ext
    fresh_out
    rm -f "$BENCH_DIR/small.tar"
    printf '  %-34s %8s s\n' "tar -xf; sync" "$tar_s"
    printf '  %-34s %8s s\n' "bkf-recover extract; sync" "$ext_s"
    printf '  %-34s %s\n' "speed extract / tar" "$(ratio "$tar_s" "$ext_s" 100)"
}

bench_extract_cold() {
    local backup=$1 label=$2 cat_s ext_s
    echo
    echo "== extract every file: $label, backup evicted from the page cache before each run, sync -f included"
    evict "$backup"
    local left; left=$(resident_kib "$backup")
    echo "  eviction: $left KiB of the backup still cached after posix_fadvise(DONTNEED)" \
         "($([[ "${left:-1}" == 0 ]] && echo works || echo 'does not fully work here'))"
    cold_out() { fresh_out; evict "$backup"; }
    PREPARE=cold_out best_of cat_copy_sync "$backup"; cat_s=$BEST
    PREPARE=cold_out best_of extract_sync "$backup"; ext_s=$BEST
    fresh_out
    printf '  %-34s %8s s\n' "cat BACKUP > DEST/copy; sync" "$cat_s"
    printf '  %-34s %8s s\n' "bkf-recover extract; sync" "$ext_s"
    awk -v a="$ext_s" -v b="$cat_s" 'BEGIN { r = a / b
        printf "  %-34s %.2f x  (target <= 1.20 x)  %s\n", "time extract / cat", r, (r <= 1.2 ? "met" : "NOT MET") }'
    cat "$backup" >/dev/null
}

fresh_out
bench_extract "$LARGE" "1 GiB of 32 large files" "$large_rows" 120
bench_extract_tar "$SMALL" "120,000 files in 1,500 folders"
bench_extract_cold "$LARGE" "1 GiB of 32 large files"
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
