#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Benchmarks of bkf-recover and the window against cat and GNU tar on the same
# data, in one run. Each comparison runs the two programs in turn (interleaved),
# $BENCH_RUNS times each (default 3), keeps the best time of each, and prints
# the ratio of times (below 1 is faster than the reference), its target and the
# load average when it was measured.
#
#   bench/run_benchmarks.sh
#
# 1. Writes the synthetic backups into $BENCH_DIR (default /tmp/bkf-bench)
#    unless they are there already: large.bkf (1 GiB, 32 files of 32 MiB),
#    small.bkf (1.5 GB, 120,000 files of 12.5 KB in 1,500 folders), many.bkf
#    (4 GiB, 200,000 files in 2,000 folders), million.bkf (1,000,000 files)
#    and folders.bkf (1,000,000 empty folders).
# 2. `bkf-recover list` against `cat BACKUP > /dev/null`: cached, and cold
#    (the backup evicted with posix_fadvise(DONTNEED) before every run of
#    either, checked with fincore). small-catalogue.bkf (small.bkf with the
#    set's own catalogue) against small.bkf: at most 2 % slower.
#    `bkf-recover verify` against cat on large.bkf, cached and cold.
# 3. The deep scan (`list --deep`) against cat on the intact backups and on
#    copies that lost 7 bytes at 1 MiB (shifted-large.bkf, shifted-small.bkf).
# 4. Peak memory of list, list --deep and extract at 1,000,000 files, and the
#    growth of extract's memory per file from 120,000 to 1,000,000 files.
# 5. Extraction of every file, `sync -f` included: against `cat BACKUP >
#    DEST/copy` for large.bkf, cached and cold (time, and the bytes read from
#    the disk from /proc/PID/io), also with the backup evicted every 50 ms
#    while it runs (a backup larger than memory); against GNU tar extracting
#    the same files (a tar made from a first extraction) for small.bkf.
# 6. bench/large_backup_benchmarks.sh: a second list with the catalogue
#    cache against the first (time and bytes read); the bytes `extract
#    --continue` writes after a stop at half; `cp -r` out of the mount
#    against extract, and `cat` of a 1 GiB file from it against `cat` of the
#    backup.
# 7. The window-thread batching benchmark (scan_bridge_bench), the tree benchmark
#    (tree_bench), the catalogue controls at a million rows (browser_bench,
#    offscreen) and a text file's preview (preview_bench, offscreen) when they
#    are built.
# 8. The window benchmark (window_bench, offscreen): the scan in the shown main
#    frame against bkf-recover list, the largest event-loop gap during it, and
#    start-up to the first painted frame.
#
# Needs about 14 GiB for the backups plus 2 GiB while an extraction runs.
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
SMALL_CATALOGUE=$BENCH_DIR/small-catalogue.bkf
MANY=$BENCH_DIR/many.bkf
MILLION=$BENCH_DIR/million.bkf
FOLDERS=$BENCH_DIR/folders.bkf
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
for optional in tree_bench scan_bridge_bench browser_bench preview_bench window_bench; do
    if grep -q "^$optional:" <<<"$known_targets"; then
        targets+=("$optional")
    fi
done
cmake --build "$BUILD_DIR" --parallel "$JOBS" --target "${targets[@]}"
BKF=$BUILD_DIR/cli/bkf-recover
MAKE_BACKUP=$BUILD_DIR/bench/make_backup

# Every run scans: no catalogue cache (a folder that cannot be made). The
# cache's own figures set a folder of their own.
export XDG_CACHE_HOME=/dev/null/no-catalogue-cache

# --- helpers -----------------------------------------------------------------
now_us() { echo "${EPOCHREALTIME/[.,]/}"; }
load_average() { cut -d' ' -f1 /proc/loadavg; }

# timed FUNCTION ARG: runs FUNCTION ARG once (after `$PREPARE`, untimed, when
# PREPARE is set) and sets SECONDS_TAKEN.
timed() {
    local fn=$1 arg=$2 t0 t1
    if [[ -n "${PREPARE:-}" ]]; then "$PREPARE"; fi
    t0=$(now_us)
    if ! "$fn" "$arg"; then
        echo "error: $fn $arg failed:" >&2
        cat "$ERR" >&2 || true
        return 1
    fi
    t1=$(now_us)
    SECONDS_TAKEN=$(awk -v us="$((10#$t1 - 10#$t0))" 'BEGIN { printf "%.3f", us / 1e6 }')
}
smaller() { awk -v a="$1" -v b="${2:-$1}" 'BEGIN { print (a < b ? a : b) }'; }

# interleaved REFERENCE OURS ARG: runs the two in turn $RUNS times each and
# sets REF_S and OURS_S to the best time of each, LOAD to the load average.
interleaved() {
    local reference=$1 ours=$2 arg=$3 i
    REF_S=""
    OURS_S=""
    LOAD=$(load_average)
    for ((i = 0; i < RUNS; i++)); do
        timed "$reference" "$arg"; REF_S=$(smaller "$SECONDS_TAKEN" "$REF_S")
        timed "$ours" "$arg"; OURS_S=$(smaller "$SECONDS_TAKEN" "$OURS_S")
    done
}

# verdict OURS REFERENCE MAX_RATIO: "0.84 x  (target <= 0.85 x)  met, load 0.31"
verdict() {
    awk -v a="$1" -v b="$2" -v t="$3" -v l="${LOAD:-$(load_average)}" 'BEGIN {
        r = a / b
        printf "%.2f x  (target <= %.2f x)  %s, load %s", r, t, (r <= t ? "met" : "NOT MET"), l }'
}
# at_most VALUE LIMIT UNIT: "12.3 UNIT  (target < LIMIT UNIT)  met"
at_most() {
    awk -v v="$1" -v t="$2" -v u="$3" 'BEGIN { printf "%.1f %s  (target < %s %s)  %s", v, u, t, u, (v < t ? "met" : "NOT MET") }'
}
mibps() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.0f", b / 1048576 / s }'; }
size_of() { stat -c %s "$1"; }
human() { awk -v b="$1" 'BEGIN { printf "%.2f GiB", b / 1073741824 }'; }
row() { printf '  %-40s %s\n' "$1" "$2"; }

cat_null() { cat "$1" >/dev/null; }
list_null() { "$BKF" list "$1" >/dev/null 2>"$ERR"; }
verify_null() { "$BKF" verify "$1" >/dev/null 2>"$ERR"; }
deep_list_null() { "$BKF" list --deep "$1" >/dev/null 2>"$ERR"; }
cat_copy_sync() { cat "$1" >"$OUT/copy" && sync -f "$OUT"; }
extract_sync() { "$BKF" extract "$1" "$OUT" >/dev/null 2>"$ERR" && sync -f "$OUT"; }
# The tar made beside BACKUP from a first extraction of it.
tar_of() { echo "${1%.bkf}.tar"; }
tar_sync() { tar -xf "$(tar_of "$1")" -C "$OUT" && sync -f "$OUT"; }
evict() { dd if="$1" iflag=nocache count=0 status=none; }
resident_kib() { fincore -b -n -o RES "$1" 2>/dev/null | awk '{ printf "%d", $1 / 1024 }'; }

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
if ((avail_kib < 16 * 1024 * 1024)); then
    echo "warning: $BENCH_DIR has $((avail_kib / 1024)) MiB free; about 16 GiB are needed" >&2
fi
generate "$LARGE" --files 32 --dirs 4 --file-size $((32 * MiB))
generate "$SMALL" --files 120000 --dirs 1500 --file-size 12500
generate "$SMALL_CATALOGUE" --files 120000 --dirs 1500 --file-size 12500 --catalogue
generate "$MANY" --files 200000 --dirs 2000 --file-size 20971
generate "$MILLION" --files 1000000 --dirs 10000 --file-size 100
generate "$FOLDERS" --files 0 --dirs 1000000 --file-size 0

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
echo "bkf-recover: $("$BKF" --version 2>/dev/null | head -n 1 || echo '?'); $(nproc) cores;" \
     "best of $RUNS interleaved runs; ratios are time against time"

# --- list against cat ----------------------------------------------------------
# bench_list BACKUP LABEL MAX_RATIO [COMMAND FUNCTION]: cat against bkf-recover, cached.
bench_list() {
    local backup=$1 label=$2 target=$3 command=${4:-list} fn=${5:-list_null} bytes
    bytes=$(size_of "$backup")
    echo
    echo "== $command: $label ($(basename "$backup"), $(human "$bytes")), cached"
    cat "$backup" >/dev/null
    PREPARE="" interleaved cat_null "$fn" "$backup"
    row "cat BACKUP > /dev/null" "$(printf '%8s s  %6s MiB/s' "$REF_S" "$(mibps "$bytes" "$REF_S")")"
    row "bkf-recover $command > /dev/null" "$(printf '%8s s  %6s MiB/s' "$OURS_S" "$(mibps "$bytes" "$OURS_S")")"
    row "time $command / cat" "$(verdict "$OURS_S" "$REF_S" "$target")"
}
# bench_list_cold BACKUP LABEL: the same with the backup evicted before every run.
bench_list_cold() {
    local backup=$1 label=$2 target=${3:-1.0} command=${4:-list} fn=${5:-list_null} left
    echo
    echo "== $command: $label ($(basename "$backup")), evicted from the page cache before every run"
    evict "$backup"
    left=$(resident_kib "$backup")
    row "eviction" "${left:-?} KiB still cached after posix_fadvise(DONTNEED)"
    cold() { evict "$backup"; }
    PREPARE=cold interleaved cat_null "$fn" "$backup"
    row "cat BACKUP > /dev/null" "$(printf '%8s s' "$REF_S")"
    row "bkf-recover $command > /dev/null" "$(printf '%8s s' "$OURS_S")"
    row "time $command / cat, cold" "$(verdict "$OURS_S" "$REF_S" "$target")"
    cat "$backup" >/dev/null
}
bench_list "$LARGE" "1 GiB of 32 large files" 0.85
bench_list "$SMALL" "1.5 GB of 120,000 files in 1,500 folders" 1.0
bench_list "$MANY" "4 GiB of 200,000 files in 2,000 folders" 1.0
bench_list_cold "$LARGE" "1 GiB of 32 large files"
bench_list_cold "$SMALL" "1.5 GB of 120,000 files in 1,500 folders"

# --- the set's own catalogue -----------------------------------------------------
# The same 120,000 files with the set's catalogue after them, which the scan
# reads and weighs: at most 2 % slower than without it.
echo
echo "== list: 1.5 GB of 120,000 files with and without the set's catalogue, cached"
cat "$SMALL" "$SMALL_CATALOGUE" >/dev/null
REF_S=""
OURS_S=""
LOAD=$(load_average)
for ((i = 0; i < RUNS; i++)); do
    timed list_null "$SMALL"; REF_S=$(smaller "$SECONDS_TAKEN" "$REF_S")
    timed list_null "$SMALL_CATALOGUE"; OURS_S=$(smaller "$SECONDS_TAKEN" "$OURS_S")
done
row "list, no catalogue" "$(printf '%8s s' "$REF_S")"
row "list, with the set's catalogue" "$(printf '%8s s' "$OURS_S")"
row "time with / without" "$(verdict "$OURS_S" "$REF_S" 1.02)"
# verify reads every byte of the files' data and compares them with their
# checksums: at least 0.95 x cat's throughput, a time ratio of 1.053.
bench_list "$LARGE" "1 GiB of 32 large files" 1.053 verify verify_null
bench_list_cold "$LARGE" "1 GiB of 32 large files" 1.053 verify verify_null

# --- the deep scan against cat -------------------------------------------------
# The intact backups, and copies that lost 7 bytes at 1 MiB (every block after
# them lies off the grid), made once from backups written the same way.
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
    bench_list "$backup" "$label, $("$BKF" list --deep "$backup" 2>/dev/null | wc -l) files found" 1.67 \
        "list --deep" deep_list_null
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
    row "list, 1,000,000 files" "$(at_most "$(peak_mib "$BKF" list "$MILLION")" 20 MiB)"
    row "list --deep, 1,000,000 files" "$(at_most "$(peak_mib "$BKF" list --deep "$MILLION")" 20 MiB)"
    fresh_out
    small_mib=$(peak_mib "$BKF" extract "$SMALL" "$OUT")
    row "extract, 120,000 files" "$small_mib MiB"
    fresh_out
    million_mib=$(peak_mib "$BKF" extract "$MILLION" "$OUT")
    row "extract, 1,000,000 files" "$(at_most "$million_mib" 30 MiB)"
    row "extract, growth per file" "$(at_most "$(awk -v a="$small_mib" -v b="$million_mib" \
        'BEGIN { printf "%.1f", (b - a) * 1048576 / 880000 }')" 20 bytes)"
    fresh_out
fi

# --- extract against cat and tar, write-back included ---------------------------
bench_extract() {
    local backup=$1 label=$2 rows=$3 target=$4 bytes
    bytes=$(size_of "$backup")
    echo
    echo "== extract every file: $label ($(basename "$backup"), $(human "$bytes")), cached, sync -f included"
    cat "$backup" >/dev/null
    PREPARE=fresh_out interleaved cat_copy_sync extract_sync "$backup"
    fresh_out
    row "cat BACKUP > DEST/copy; sync" "$(printf '%8s s  %6s MiB/s' "$REF_S" "$(mibps "$bytes" "$REF_S")")"
    row "bkf-recover extract; sync" "$(printf '%8s s  %6s MiB/s  %s files/s' "$OURS_S" "$(mibps "$bytes" "$OURS_S")" \
        "$(awk -v n="$rows" -v s="$OURS_S" 'BEGIN { printf "%.0f", n / s }')")"
    row "time extract / cat" "$(verdict "$OURS_S" "$REF_S" "$target")"
}

bench_extract_tar() {
    local backup=$1 label=$2
    echo
    echo "== extract every file: $label, against GNU tar extracting the same files, sync -f included"
    fresh_out
    "$BKF" extract "$backup" "$OUT" >/dev/null 2>"$ERR"
    tar -cf "$(tar_of "$backup")" -C "$OUT" .
    PREPARE=fresh_out interleaved tar_sync extract_sync "$backup"
    fresh_out
    rm -f "$(tar_of "$backup")"
    row "tar -xf; sync" "$(printf '%8s s' "$REF_S")"
    row "bkf-recover extract; sync" "$(printf '%8s s' "$OURS_S")"
    row "time extract / tar" "$(verdict "$OURS_S" "$REF_S" 1.0)"
}

# read_bytes COMMAND...: what COMMAND read from the disk (its /proc/PID/io,
# which takes in the children a shell has waited for), in bytes.
read_bytes() {
    bash -c '"$@" >/dev/null 2>&1; sed -n "s/^read_bytes: //p" /proc/$$/io' read_bytes "$@"
}
# While COMMAND runs, the backup is evicted every 50 ms: what a backup larger
# than memory meets, where the bytes read a moment ago are gone again.
read_bytes_evicting() {
    local backup=$1
    shift
    ( while :; do evict "$backup"; sleep 0.05; done ) &
    local evictor=$!
    read_bytes "$@"
    kill "$evictor" 2>/dev/null
    wait "$evictor" 2>/dev/null || true
}
times_backup() { awk -v r="$1" -v b="$2" 'BEGIN { printf "%.2f", r / b }'; }

bench_extract_cold() {
    local backup=$1 label=$2 bytes left
    bytes=$(size_of "$backup")
    echo
    echo "== extract every file: $label, backup evicted from the page cache before each run, sync -f included"
    evict "$backup"
    left=$(resident_kib "$backup")
    row "eviction" "${left:-?} KiB still cached after posix_fadvise(DONTNEED)"
    cold_out() { fresh_out; evict "$backup"; }
    PREPARE=cold_out interleaved cat_copy_sync extract_sync "$backup"
    row "cat BACKUP > DEST/copy; sync" "$(printf '%8s s' "$REF_S")"
    row "bkf-recover extract; sync" "$(printf '%8s s' "$OURS_S")"
    row "time extract / cat, cold" "$(verdict "$OURS_S" "$REF_S" 1.1)"
    cold_out
    local cat_read ours_read
    cat_read=$(read_bytes cat "$backup")
    cold_out
    ours_read=$(read_bytes "$BKF" extract "$backup" "$OUT")
    row "read from the disk: cat" "$(times_backup "$cat_read" "$bytes") x the backup"
    row "read from the disk: extract" "$(verdict "$(times_backup "$ours_read" "$bytes")" 1 1.05)"
    cold_out
    cat_read=$(read_bytes_evicting "$backup" cat "$backup")
    cold_out
    ours_read=$(read_bytes_evicting "$backup" "$BKF" extract "$backup" "$OUT")
    row "read, evicted every 50 ms: cat" "$(times_backup "$cat_read" "$bytes") x the backup"
    row "read, evicted every 50 ms: extract" "$(verdict "$(times_backup "$ours_read" "$bytes")" 1 1.4)"
    fresh_out
    cat "$backup" >/dev/null
}

fresh_out
bench_extract "$LARGE" "1 GiB of 32 large files" "$large_rows" 0.83
bench_extract_tar "$SMALL" "120,000 files in 1,500 folders"
bench_extract_cold "$LARGE" "1 GiB of 32 large files"
rm -rf "$OUT"

# --- the mount and the catalogue cache -----------------------------------------
# shellcheck source=bench/large_backup_benchmarks.sh
source "$ROOT/bench/large_backup_benchmarks.sh"
bench_cache
bench_continue
bench_mount
rm -rf "$OUT"

# --- window-thread batching and tree ------------------------------------------
qt_bench() { QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$BENCH_DIR/xdg-runtime" "$@"; }
[[ -d "$BENCH_DIR/xdg-runtime" ]] || mkdir -p -m 700 "$BENCH_DIR/xdg-runtime"
if [[ -x "$BUILD_DIR/bench/scan_bridge_bench" ]]; then
    echo
    echo "== scan_bridge_bench: scan of the 200,000-file backup through the window-thread bridge (target <= 1.2 x headless)"
    qt_bench "$BUILD_DIR/bench/scan_bridge_bench" "$MANY"
fi
if [[ -x "$BUILD_DIR/bench/tree_bench" ]]; then
    echo
    echo "== tree_bench"
    "$BUILD_DIR/bench/tree_bench"
fi
if [[ -x "$BUILD_DIR/bench/browser_bench" ]]; then
    echo
    echo "== browser_bench: tree, contents list and found-files list at 1,000,000 rows (offscreen, repaints included)"
    qt_bench "$BUILD_DIR/bench/browser_bench"
fi
if [[ -x "$BUILD_DIR/bench/preview_bench" ]]; then
    echo
    echo "== preview_bench: a text file's preview from request to the pane, backup in the page cache (target < 100 ms)"
    qt_bench "$BUILD_DIR/bench/preview_bench"
fi
if [[ -x "$BUILD_DIR/bench/window_bench" ]]; then
    echo
    echo "== window_bench: the 200,000-file backup scanned in the shown window, and start-up (offscreen)"
    qt_bench "$BUILD_DIR/bench/window_bench" scan "$MANY" "$RUNS" 2>&1 >/dev/null
    echo
    echo "== window_bench: 1,000,000 files, and 1,000,000 empty folders"
    qt_bench "$BUILD_DIR/bench/window_bench" scan "$MILLION" 5 1.05 2>&1 >/dev/null
    qt_bench "$BUILD_DIR/bench/window_bench" scan "$FOLDERS" 3 2.0 300 2>&1 >/dev/null
    qt_bench "$BUILD_DIR/bench/window_bench" startup
fi
