# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by bench/run_benchmarks.sh (uses its helpers and backups): the
# catalogue cache, and the mounted backup read with cp and cat.
#
# - a second `list` of many.bkf (4 GiB) with the cache of the first: the
#   bytes it reads (rchar of /proc/PID/io, the cache file included) against
#   the backup's size (target < 1%), and its time against the first's
#   (target <= 0.1);
# - `extract --continue` of large.bkf after an extract stopped (SIGINT) once
#   half of it was written: the bytes it writes (write_bytes of
#   /proc/PID/io) against the part that was missing (target <= 1.05);
# - `cp -r` of every file out of the mount of large.bkf against `bkf-recover
#   extract` of the same backup, `sync -f` included (target: cp's speed at
#   least 0.8 of extract's, so time cp / extract <= 1.25);
# - `cat` of one 1 GiB file from the mount of one.bkf against `cat` of the
#   backup (time <= 1.25 x cat's). The mounted files' pages are evicted
#   before each run, so every run reads through the mount.

MNT=$BENCH_DIR/mnt
CACHE_HOME=$BENCH_DIR/catalogue-cache

# bytes_read COMMAND...: every byte COMMAND read through system calls, from
# the page cache or the disk (rchar of /proc/PID/io).
bytes_read() {
    bash -c '"$@" >/dev/null 2>&1; sed -n "s/^rchar: //p" /proc/$$/io' bytes_read "$@"
}

# written_bytes COMMAND...: the bytes COMMAND wrote to files (write_bytes of /proc/PID/io).
written_bytes() {
    bash -c '"$@" >/dev/null 2>&1; sed -n "s/^write_bytes: //p" /proc/$$/io' written_bytes "$@"
}
saved_bytes() { du -sb "$OUT" | cut -f1; }

bench_continue() {
    local backup=$LARGE bytes pid stopped written
    bytes=$(size_of "$backup")
    echo
    echo "== extract --continue of $(basename "$backup") ($(human "$bytes")) after a stop at half"
    fresh_out
    "$BKF" extract -q --no-cache "$backup" "$OUT" >/dev/null 2>"$ERR" &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && (($(saved_bytes) < bytes / 2)); do sleep 0.02; done
    kill -INT "$pid" 2>/dev/null || true
    wait "$pid" || true
    stopped=$(saved_bytes)
    sync -f "$OUT"
    written=$(written_bytes "$BKF" extract -q --no-cache --continue "$backup" "$OUT")
    row "saved before the stop" "$(human "$stopped")"
    row "written by --continue" "$(human "$written")"
    row "written / missing part" "$(verdict "$written" "$((bytes - stopped))" 1.05)"
    fresh_out
}

bench_cache() {
    local backup=$MANY bytes first second read
    bytes=$(size_of "$backup")
    echo
    echo "== list with the catalogue cache: $(basename "$backup") ($(human "$bytes")), cached"
    rm -rf "$CACHE_HOME"
    cat "$backup" >/dev/null
    LOAD=$(load_average)
    XDG_CACHE_HOME=$CACHE_HOME timed list_null "$backup"
    first=$SECONDS_TAKEN
    XDG_CACHE_HOME=$CACHE_HOME timed list_null "$backup"
    second=$SECONDS_TAKEN
    read=$(XDG_CACHE_HOME=$CACHE_HOME bytes_read "$BKF" list "$backup")
    row "first list (scan, cache written)" "$(printf '%8s s' "$first")"
    row "second list (from the cache)" "$(printf '%8s s' "$second")"
    row "time second / first" "$(verdict "$second" "$first" 0.1)"
    row "bytes read by the second" "$(awk -v r="$read" -v b="$bytes" 'BEGIN {
        printf "%.0f, %.3f %% of the backup  (target < 1 %%)  %s", r, 100 * r / b, (r < b / 100 ? "met" : "NOT MET") }')"
    row "cache file" "$(du -b "$CACHE_HOME"/brevant-veltra-bkf/*.catalogue | awk '{ s += $1 } END { printf "%.1f MB", s / 1e6 }')"
    rm -rf "$CACHE_HOME"
}
ONE=$BENCH_DIR/one.bkf

mount_usable() {
    [[ -r /dev/fuse && -w /dev/fuse ]] && command -v fusermount3 >/dev/null 2>&1 &&
        ! "$BKF" mount --help | grep -q "not built"
}
# mount_backup BACKUP: mounts it at $MNT in the background, waits until it shows.
mount_backup() {
    mkdir -p "$MNT"
    "$BKF" mount -q "$1" "$MNT" 2>"$ERR" &
    MOUNT_PID=$!
    local i
    for ((i = 0; i < 600; i++)); do
        if mountpoint -q "$MNT"; then return 0; fi
        sleep 0.1
    done
    echo "error: bkf-recover mount $1 did not mount" >&2
    cat "$ERR" >&2
    return 1
}
unmount_backup() {
    fusermount3 -u "$MNT"
    wait "$MOUNT_PID" || true
}
evict_mounted() { find "$MNT" -type f -exec dd iflag=nocache count=0 status=none if={} \;; }
cp_sync() { cp -r "$MNT/BKF" "$OUT/" && sync -f "$OUT"; }
# cp's own cost: the same files copied from a plain folder (a first extract's output).
cp_plain_sync() { cp -r "$PLAIN/BKF" "$OUT/" && sync -f "$OUT"; }
cat_mounted() { cat "$MOUNTED_FILE" >/dev/null; }

bench_mount() {
    if ! mount_usable; then
        echo
        echo "== mount: skipped (no usable /dev/fuse, no fusermount3, or bkf-recover built without libfuse3)"
        return
    fi
    generate "$ONE" --files 1 --dirs 1 --file-size $((1024 * MiB))
    local bytes
    bytes=$(size_of "$LARGE")
    echo
    echo "== mount: cp -r out of the mount of $(basename "$LARGE") ($(human "$bytes")) against extract, cached, sync -f included"
    cat "$LARGE" >/dev/null
    mount_backup "$LARGE"
    out_and_evict() { fresh_out; evict_mounted; }
    PREPARE=out_and_evict interleaved extract_sync cp_sync "$LARGE"
    row "bkf-recover extract; sync" "$(printf '%8s s  %6s MiB/s' "$REF_S" "$(mibps "$bytes" "$REF_S")")"
    row "cp -r MOUNT/BKF DEST; sync" "$(printf '%8s s  %6s MiB/s' "$OURS_S" "$(mibps "$bytes" "$OURS_S")")"
    row "time cp from the mount / extract" "$(verdict "$OURS_S" "$REF_S" 1.25)"
    # The mount's own share: cp of the same files from a plain folder (a first
    # extract's output, cached), which writes them back as cp does.
    PLAIN=$BENCH_DIR/plain-copy
    rm -rf "$PLAIN"
    "$BKF" extract -q --no-cache --prefix=plain-copy "$LARGE" "$BENCH_DIR" >/dev/null
    PREPARE=out_and_evict interleaved cp_plain_sync cp_sync "$LARGE"
    unmount_backup
    rm -rf "$PLAIN"
    fresh_out
    row "cp -r from a plain folder; sync (cp alone)" "$(printf '%8s s' "$REF_S")"
    row "time cp from the mount / plain folder" "$(printf '%.2f x, load %s' "$(awk -v a="$OURS_S" -v b="$REF_S" 'BEGIN { print a / b }')" "$LOAD")"

    bytes=$(size_of "$ONE")
    echo
    echo "== mount: cat of the 1 GiB file from the mount of $(basename "$ONE") against cat of the backup, cached"
    cat "$ONE" >/dev/null
    mount_backup "$ONE"
    MOUNTED_FILE=$(find "$MNT" -type f | head -n 1)
    PREPARE=evict_mounted interleaved cat_null cat_mounted "$ONE"
    unmount_backup
    row "cat BACKUP > /dev/null" "$(printf '%8s s  %6s MiB/s' "$REF_S" "$(mibps "$bytes" "$REF_S")")"
    row "cat MOUNT/.../FILE > /dev/null" "$(printf '%8s s  %6s MiB/s' "$OURS_S" "$(mibps "$bytes" "$OURS_S")")"
    row "time cat from the mount / cat" "$(verdict "$OURS_S" "$REF_S" 1.25)"
}
