#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program.
#
#   ./run.sh BACKUP.bkf [--json] [--verbose]
#
# The recovery window does not exist yet: until it does, run.sh prints the
# catalogue of the named backup through `bkf-recover list` (one line per found
# file: SIZE<TAB>OFFSET<TAB>PATH). Build messages go to stderr, so
# `./run.sh BACKUP.bkf > list.txt` keeps only the list.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
JOBS=${BKF_JOBS:-2}

usage() {
    cat <<USAGE
usage: ./run.sh BACKUP.bkf [--json] [--debug] [--quiet]

Builds the project (in build/) and lists every file that BACKUP.bkf still
holds, through: build/cli/bkf-recover list BACKUP.bkf
To copy the files out: build/cli/bkf-recover extract BACKUP.bkf DEST
USAGE
}

case "${1:-}" in
    -h|--help) usage; exit 0 ;;
esac

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps

{
    if [[ ! -f build/CMakeCache.txt ]]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build build --parallel "$JOBS" --target bkf-recover
} >&2

if (($# == 0)); then
    usage
    exit 0
fi

exec "$ROOT/build/cli/bkf-recover" list "$@"
