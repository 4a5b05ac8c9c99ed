# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that the build needs and that are missing.
# Sourced by test.sh and run.sh; defines bkf_install_deps and nothing else.
#
#   bkf_install_deps [OPTION]...   build tools, Qt 6 (with the SVG module for the icon),
#                                  OpenGL headers, GoogleTest, CLI11, Python (the manual is
#                                  written from the README), Qt's translation tools (lupdate,
#                                  lrelease and their CMake functions), the fonts the window
#                                  names (Liberation: Arial, Times New Roman), libfuse 3 and
#                                  fusermount3 for `bkf-recover mount`; plus, per option:
#     --fuzzer                     clang and its libFuzzer runtime
#     --screenshots                Xvfb, xdotool, ImageMagick, a window manager (openbox) and
#                                  real desktop styles: Adwaita-Dark (adwaita-qt6) and
#                                  Fusion with qt6ct's dark colours (qt6ct)
#     --desktop                    the same, and the checkers of the desktop entry, the
#                                  MIME type and the AppStream file (desktop-file-utils,
#                                  shared-mime-info, appstream)
#     --package                    dpkg-shlibdeps (dpkg-dev) for cpack, lintian, and debootstrap
#
# Runs `apt-get update` at most once, and only when something is missing.
# Uses sudo only when not root. Prints what it does on stderr.

bkf_install_deps() {
    local packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
                    fonts-liberation libcli11-dev python3 qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
                    libfuse3-dev fuse3) option
    for option in "$@"; do
        case "$option" in
            --fuzzer) packages+=(clang libclang-rt-14-dev) ;;
            --screenshots) packages+=(xvfb xdotool imagemagick openbox adwaita-qt6 qt6ct) ;;
            --desktop) packages+=(xvfb xdotool imagemagick openbox adwaita-qt6 qt6ct
                                  desktop-file-utils shared-mime-info appstream) ;;
            --package) packages+=(dpkg-dev lintian debootstrap) ;;
        esac
    done

    if ! command -v dpkg-query >/dev/null 2>&1; then
        echo "install-deps: not a Debian system; make sure these are installed: ${packages[*]}" >&2
        return 0
    fi

    local missing=() package status
    for package in "${packages[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        if [[ "$status" != "installed" ]]; then
            missing+=("$package")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi

    local sudo=()
    if [[ "$(id -u)" != "0" ]]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "install-deps: missing packages (${missing[*]}) and no sudo to install them" >&2
            return 1
        fi
        sudo=(sudo)
    fi

    echo "install-deps: installing ${missing[*]}" >&2
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}
