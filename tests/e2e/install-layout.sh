#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what `cmake --install` lays out, in a temporary prefix: the programs,
# the desktop entry (valid for desktop-file-validate, naming the installed
# program and icon), the AppStream file (valid for appstreamcli), the icon
# theme (PNGs of the right sizes, a vector SVG), the MIME type (it compiles,
# with its glob and its magic), the man page, the bash completion, the README,
# the manual that F1 opens, the German translation, the licence, the copyright
# file and the changelog;
# and that the programs, the man page and the AppStream file name one version.
#
#   tests/e2e/install-layout.sh BUILD_DIR
#
# Needs desktop-file-utils, shared-mime-info, appstream and ImageMagick (identify).
set -euo pipefail

if (($# != 1)); then
    echo "usage: tests/e2e/install-layout.sh BUILD_DIR" >&2
    exit 2
fi
BUILD_DIR=$1
ID=example.brevant_veltra.bkf
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
failures=0
fail() {
    echo "install-layout: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$BUILD_DIR" --prefix "$PREFIX" >/dev/null

DOC=share/doc/brevant-veltra-bkf
for path in bin/brevant-veltra-bkf bin/bkf-recover bin/bkf-make-sample share/applications/$ID.desktop \
            share/metainfo/$ID.metainfo.xml share/mime/packages/$ID.xml share/icons/hicolor/scalable/apps/$ID.svg \
            share/man/man1/bkf-recover.1.gz share/man/man1/brevant-veltra-bkf.1.gz share/man/man1/bkf-make-sample.1.gz \
            share/bash-completion/completions/bkf-recover \
            $DOC/README.md $DOC/manual.html $DOC/docs/window-file-page.png $DOC/LICENSE $DOC/copyright \
            $DOC/changelog.gz share/brevant-veltra-bkf/translations/brevant-veltra-bkf_de.qm; do
    [[ -f "$PREFIX/$path" ]] || fail "missing: $path"
done

for edge in 16 24 32 48 64 128 256; do
    png=$PREFIX/share/icons/hicolor/${edge}x${edge}/apps/$ID.png
    size=$(identify -format '%wx%h' "$png" 2>/dev/null || echo "no PNG")
    [[ "$size" == "${edge}x${edge}" ]] || fail "$png: $size, expected ${edge}x${edge}"
done
# A drawing, not an empty canvas (as a build without a working platform plugin would leave).
colours=$(identify -format '%k' "$PREFIX/share/icons/hicolor/256x256/apps/$ID.png" 2>/dev/null || echo 0)
((colours > 16)) || fail "the 256-pixel icon has only $colours colours"
svg=$PREFIX/share/icons/hicolor/scalable/apps/$ID.svg
if ! grep -q '<svg' "$svg" || ! grep -q '<path' "$svg"; then
    fail "$svg is not a vector SVG"
fi

entry=$PREFIX/share/applications/$ID.desktop
desktop-file-validate "$entry" || fail "$entry does not validate"
grep -qx "Icon=$ID" "$entry" || fail "the desktop entry does not name the icon $ID"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x "$PREFIX/bin/$exec_program" ]] || fail "the desktop entry runs '$exec_program', which is not installed"

# The same compilation that the shared-mime-info package runs on install.
update-mime-database "$PREFIX/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the MIME type"
grep -q ':application/x-bkf:\*\.bkf$' "$PREFIX/share/mime/globs2" 2>/dev/null || fail "no *.bkf glob in the MIME database"
grep -aq 'TAPE' "$PREFIX/share/mime/magic" 2>/dev/null || fail "no TAPE magic in the MIME database"
grep -q "MimeType=application/x-bkf;" "$entry" || fail "the desktop entry does not open application/x-bkf"

metainfo=$PREFIX/share/metainfo/$ID.metainfo.xml
appstreamcli validate --no-net "$metainfo" >&2 || fail "$metainfo does not validate"
for section in the-window bkf-recover exit-status; do
    grep -q "<h[23] id=\"$section\">" "$PREFIX/$DOC/manual.html" || fail "the manual has no section $section"
done

# One version: both programs' --version, the man page and the AppStream release.
version=$("$PREFIX/bin/bkf-recover" --version | sed -n '1s/.* //p')
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "bkf-recover --version says '$version'"
versions=("window $("$PREFIX/bin/brevant-veltra-bkf" --version | sed -n '1s/.* //p')"
          "man page $(gzip -dc "$PREFIX/share/man/man1/bkf-recover.1.gz" | sed -n 's/^\.TH .*"Brevant Veltra BKF \([^"]*\)".*/\1/p')"
          "AppStream $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")")
for named in "${versions[@]}"; do
    [[ "${named##* }" == "$version" ]] || fail "$named, bkf-recover $version"
done

((failures == 0)) || exit 1
echo "install-layout: $(find "$PREFIX" -type f | wc -l) files installed where expected; desktop entry, MIME type" \
     "and AppStream file valid; version $version everywhere"
