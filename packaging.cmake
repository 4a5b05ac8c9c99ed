# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a build configured with -DBKF_BUILD_TESTS=OFF -DBKF_BUILD_BENCH=OFF
# packs what `cmake --install` lays out into brevant-veltra-bkf_VERSION_ARCH.deb.

set(CPACK_PACKAGE_NAME brevant-veltra-bkf)
set(CPACK_PACKAGE_VENDOR "Brevant Veltra Software Works")
set(CPACK_PACKAGE_CONTACT "Brevant Veltra Software Works <support@brevant-veltra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "recover files from damaged BKF (NTBackup) backups")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BKF_HOME_PAGE}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The long description below the summary line; CPack indents its lines and
# marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Brevant Veltra BKF reads a BKF backup written by Windows NTBackup (Microsoft
Tape Format) without trusting its catalogue, rebuilds the folders and files
from the descriptor blocks that are still readable, and copies the chosen
files out byte for byte.

It comes as a window program (brevant-veltra-bkf) and a command-line
program (bkf-recover).")
# The shared libraries' packages come from dpkg-shlibdeps. Qt's platform
# plugins (xcb for the desktop, offscreen for headless runs) are loaded at run
# time, so dpkg-shlibdeps cannot see them; nor Qt's own translations, which
# put its dialogs into the window's language.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The fonts that stand in for the "Arial" and "Times New Roman" the window
# names; the MIME database and the icon theme that the installed files join;
# fusermount3, which `bkf-recover mount` needs to mount without being root
# and to unmount.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, shared-mime-info, hicolor-icon-theme, fuse3")

# Debian's copyright file and changelog, in the documentation folder.
configure_file(packaging/copyright.in packaging/copyright @ONLY)
execute_process(COMMAND date -u -R -d "${BKF_RELEASE_DATE} 12:00" OUTPUT_VARIABLE BKF_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(packaging/changelog.in packaging/changelog @ONLY)
bkf_gzip(package-changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
