#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two builds of bkf-recover side by side: each mounts BACKUP, and `cat` of the
# first file of each mount (its pages evicted first, so every byte goes
# through the mount) alternates with `cat` of the backup itself, RUNS times.
# Prints the median times, each against cat's, and B's against A's, with the
# mean load average: a steadier figure than a best-of-3 on a shared machine.
#
#   bench/mount_read_ab.sh BACKUP RUNS BKF_A BKF_B
set -euo pipefail

BACKUP=$1 RUNS=$2 BKF_A=$3 BKF_B=$4
WORK=$(mktemp -d)
export XDG_CACHE_HOME=$WORK/cache
mkdir -p "$WORK/a" "$WORK/b"
cleanup() {
    for side in a b; do mountpoint -q "$WORK/$side" && fusermount3 -u "$WORK/$side"; done
    wait
    rm -rf "$WORK"
}
trap cleanup EXIT

"$BKF_A" mount -q "$BACKUP" "$WORK/a" &
"$BKF_B" mount -q "$BACKUP" "$WORK/b" &
for _ in $(seq 600); do
    if mountpoint -q "$WORK/a" && mountpoint -q "$WORK/b"; then break; fi
    sleep 0.1
done
FILE_A=$(find "$WORK/a" -type f | head -n 1)
FILE_B=$(find "$WORK/b" -type f | head -n 1)

seconds_to_cat() {
    local t0=$EPOCHREALTIME
    cat "$1" >/dev/null
    awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }'
}
evicted_cat() { dd if="$1" iflag=nocache count=0 status=none; seconds_to_cat "$1"; }

cat "$BACKUP" >/dev/null
for ((i = 0; i < RUNS; i++)); do
    echo "$(seconds_to_cat "$BACKUP") $(evicted_cat "$FILE_A") $(evicted_cat "$FILE_B") $(cut -d' ' -f1 /proc/loadavg)"
done >"$WORK/times"

python3 - "$WORK/times" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1])]
med = lambda values: statistics.median(values)
cat, a, b = ([r[i] for r in rows] for i in range(3))
print("cat of the backup  median %.3f s" % med(cat))
print("A: cat from mount  median %.3f s  %.2f x cat" % (med(a), med([x / c for x, c in zip(a, cat)])))
print("B: cat from mount  median %.3f s  %.2f x cat" % (med(b), med([x / c for x, c in zip(b, cat)])))
print("B / A              %.2f x   (%d runs, mean load %.1f)" % (med([y / x for x, y in zip(a, b)]), len(rows), statistics.mean(r[3] for r in rows)))
PY
