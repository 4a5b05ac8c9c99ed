# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that the build needs and that are missing.
# Sourced by test.sh and run.sh; defines bkf_install_deps and nothing else.
#
#   bkf_install_deps               build tools, Qt 6, OpenGL headers, GoogleTest, CLI11 and the
#                                  fonts the window names (Liberation: Arial, Times New Roman)
#   bkf_install_deps --fuzzer      the same, plus clang and its libFuzzer runtime
#   bkf_install_deps --screenshots the same, plus Xvfb, xdotool and ImageMagick
#
# Runs `apt-get update` at most once, and only when something is missing.
# Uses sudo only when not root. Prints what it does on stderr.

bkf_install_deps() {
    local packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev fonts-liberation libcli11-dev)
    case "${1:-}" in
        --fuzzer) packages+=(clang libclang-rt-14-dev) ;;
        --screenshots) packages+=(xvfb xdotool imagemagick) ;;
    esac

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
