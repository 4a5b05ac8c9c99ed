#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the recovery window.
#
#   ./run.sh                 the window on its file page
#   ./run.sh BACKUP.bkf      the window with BACKUP.bkf in the file-name box, scanning it
#   ./run.sh --sample        the window scanning a small damaged sample backup,
#                            written into a new temporary folder
#
# Without a display ($DISPLAY and $WAYLAND_DISPLAY both empty) it runs the
# command-line program bkf-recover instead: `list` and `extract` on BACKUP.bkf
# (or on the sample) into a new temporary folder, and ends with extract's exit
# status. Build messages go to stderr.
set -euo pipefail

CALLER_DIR=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
JOBS=${BKF_JOBS:-2}

usage() {
    cat <<USAGE
usage: ./run.sh [BACKUP.bkf | --sample]

Builds the project (in build/) and opens the Brevant Veltra BKF window; with
BACKUP.bkf the window starts scanning that backup at once, with --sample it
scans a small damaged backup written into a new temporary folder. Without a
display it runs bkf-recover list and extract on that backup instead.
USAGE
}

# Writes the sample backup (its end cut off inside the last file) into a new
# temporary folder; prints its path.
write_sample() {
    local folder
    folder=$(mktemp -d "${TMPDIR:-/tmp}/bkf-sample.XXXXXX")
    "$ROOT/build/bkf-make-sample" "$folder/sample.bkf" "$folder/originals" --cut-short
    echo "run.sh: the sample backup is $folder/sample.bkf" >&2
    echo "$folder/sample.bkf"
}

# What the window would do, by bkf-recover: the files found, then the save
# into a new temporary folder; returns extract's exit status.
run_headless() {
    local backup=$1 destination status=0
    destination=$(mktemp -d "${TMPDIR:-/tmp}/bkf-recovered.XXXXXX")
    echo "run.sh: there is no display, so bkf-recover does the window's job on $backup" >&2
    "$ROOT/build/cli/bkf-recover" list "$backup" || true
    "$ROOT/build/cli/bkf-recover" extract -v "$backup" "$destination" || status=$?
    echo "run.sh: bkf-recover extract ended with status $status (see bkf-recover --help)" >&2
    return "$status"
}

sample=0
case "${1:-}" in
    -h|--help) usage; exit 0 ;;
    --sample) sample=1; shift ;;
esac

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps

has_display=1
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    has_display=0
fi

{
    if [[ ! -f build/CMakeCache.txt ]]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
    targets=(bkf-make-sample)
    if ((has_display)); then
        targets+=(brevant-veltra-bkf)
    else
        targets+=(bkf-recover)
    fi
    cmake --build build --parallel "$JOBS" --target "${targets[@]}"
} >&2

# From the caller's folder: a relative BACKUP path means what the caller
# meant, and help and Live Update are looked up where the user started.
cd "$CALLER_DIR"
if ((sample)) || { ((!has_display)) && (($# == 0)); }; then
    set -- "$(write_sample)" "$@"
fi
if ((!has_display)); then
    status=0
    run_headless "$1" || status=$?
    exit "$status"
fi
exec "$ROOT/build/app/brevant-veltra-bkf" "$@"
