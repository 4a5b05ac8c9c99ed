// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_text.h"

#include "build_info.h"

#ifdef BKF_HAVE_FUSE
#define BKF_MOUNT_NOTE ""
#else
#define BKF_MOUNT_NOTE "             (not built into this bkf-recover: it needs libfuse3)\n"
#endif

const char kMainHelp[] =
    "Usage: bkf-recover list [OPTION]... BACKUP\n"
    "  or:  bkf-recover extract [OPTION]... BACKUP DEST [PATTERN]...\n"
    "  or:  bkf-recover verify [OPTION]... BACKUP [PATTERN]...\n"
    "  or:  bkf-recover mount [OPTION]... BACKUP MOUNTPOINT\n"
    "Recover files from a damaged BKF backup (Windows NTBackup, Microsoft Tape\n"
    "Format) without trusting its catalogue. The backup is only read.\n"
    "\n"
    "Commands:\n"
    "  list       print every file found: SIZE<TAB>OFFSET<TAB>PATH, one per line\n"
    "  extract    save the files found into DEST/Recovered BKF/...\n"
    "  verify     read the files' data and compare them with their checksums\n"
    "  mount      show the files found as a read-only folder at MOUNTPOINT\n" BKF_MOUNT_NOTE
    "\n"
    "  -h, --help     display this help (or a command's: bkf-recover list --help)\n"
    "      --version  output version information and exit\n"
    "\n"
    "Exit status: 0 success; 1 bad arguments, unreadable backup, unusable DEST or\n"
    "a failure of the run; 2 some file lost or not saved completely, or a pattern\n"
    "matched no file;\n"
    "3 no data found in the backup; 128+N stopped by signal N (130 for Ctrl-C).\n"
    "\n"
    "See bkf-recover(1) for the details.\n";

#define BKF_COMMON_OPTIONS                                                            \
    "  -q, --quiet          no progress line and no summary\n"                        \
    "      --progress       show the progress line even when stderr is no terminal\n" \
    "      --no-progress    never show the progress line\n"                           \
    "      --debug          write the scan's diagnostic trace to stderr\n"            \
    "      --deep           also find blocks off the 512-byte grid (bytes lost or\n"  \
    "                       inserted)\n"                                             \
    "      --rescan         scan even when the catalogue of an earlier scan of this\n" \
    "                       backup is cached (~/.cache/brevant-veltra-bkf)\n"         \
    "      --no-cache       neither use nor keep a cached catalogue\n"               \
    "  -h, --help           display this help and exit\n"

const char kListHelp[] =
    "Usage: bkf-recover list [OPTION]... BACKUP\n"
    "Scan BACKUP and print one line per file found, in the order found:\n"
    "SIZE<TAB>OFFSET<TAB>PATH (SIZE and OFFSET empty when no data were found).\n"
    "\n"
    "      --json           one JSON object per line: {\"path\", \"size\", \"offset\",\n"
    "                       \"status\"}; status is one of: not checked, no checksum,\n"
    "                       checksum lost, verified, damaged, cut short, no data,\n"
    "                       folder lost, from the catalogue (verified and damaged\n"
    "                       once verify or a save read the data), not found (named\n"
    "                       in the set's catalogue, no data found: in JSON only)\n"
    "  -v, --verbose        after the scan report's line, one line per kind of damage\n" BKF_COMMON_OPTIONS;

const char kExtractHelp[] =
    "Usage: bkf-recover extract [OPTION]... BACKUP DEST [PATTERN]...\n"
    "Scan BACKUP and save the files found into DEST/PREFIX/BKF/..., where PREFIX\n"
    "gets the first free number when that folder exists. Nothing is overwritten.\n"
    "The output folder's name is printed on stdout. Each PATTERN after DEST is\n"
    "taken as --include=PATTERN. Saved files and folders get their recorded dates.\n"
    "\n"
    "      --prefix=NAME    name of the output folder (default \"Recovered BKF\")\n"
    "      --include=GLOB   save only files matching GLOB (may be repeated)\n"
    "      --exclude=GLOB   do not save files matching GLOB (may be repeated)\n"
    "      --case-sensitive match patterns with case (they ignore it by default)\n"
    "  -v, --verbose        print each file's PATH as it is saved\n"
    "  -m, --no-times       leave the dates as saved (--times restores them: default)\n"
    "      --continue       save into the latest existing output folder: files there\n"
    "                       whole already are kept, others moved aside as\n"
    "                       NAME.partial; the rest is saved\n" BKF_COMMON_OPTIONS
    "\n"
    "A PATTERN or GLOB without \"/\" matches the file name in any folder\n"
    "('*.doc'); one with \"/\" matches the end of PATH as list prints it, at any\n"
    "depth ('Invoices/*.pdf'), or from its start when it starts with \"/\"\n"
    "('/BKF/BACKUP SET 1*/**'). One ending in \"/\" takes every file below that\n"
    "folder. \"\\\" separates folders as \"/\" does. \"*\" and \"?\" stay within a\n"
    "folder, \"**\" crosses folders, \"[a-z]\" and \"[!a-z]\" match one character\n"
    "of a set; \"[*]\", \"[?]\" and \"[[]\" match \"*\", \"?\" and \"[\" themselves.\n"
    "\n"
    "Ctrl-C (SIGINT, SIGTERM, SIGHUP) stops after the file being written; a second\n"
    "one stops at once and keeps that file as NAME.partial. A file the disk (or a\n"
    "file size limit) cut short is kept as NAME.partial too; a full disk ends the\n"
    "save there.\n";

const char kMountHelp[] =
    "Usage: bkf-recover mount [OPTION]... BACKUP MOUNTPOINT\n"
    "Scan BACKUP and show the files found, read-only, under MOUNTPOINT: the\n"
    "folders and names that extract would write inside its output folder\n"
    "(MOUNTPOINT/BKF/...), the sizes of the data the backup holds and the\n"
    "recorded dates. An unreadable sector reads as zeros. Each file's status\n"
    "(as list --json gives it) is the extended attribute user.bkf.status:\n"
    "getfattr -n user.bkf.status FILE. A file read whole is checked against its\n"
    "checksum; a damaged one still reads, and its status becomes damaged.\n"
    "Stays in the foreground until 'fusermount3 -u MOUNTPOINT' or Ctrl-C\n"
    "(SIGINT, SIGTERM, SIGHUP), which unmount.\n" BKF_MOUNT_NOTE
    "\n"
    "  -v, --verbose        after the scan report's line, one line per kind of damage\n" BKF_COMMON_OPTIONS;

const char kVerifyHelp[] =
    "Usage: bkf-recover verify [OPTION]... BACKUP [PATTERN]...\n"
    "Scan BACKUP (or take its cached catalogue), read the data of every file found\n"
    "(or of those the PATTERNs choose, as extract's do) and compare them with the\n"
    "checksums the backup recorded. Nothing is written but the catalogue cache,\n"
    "which keeps each file's status for list, mount and the window. Damaged, cut\n"
    "short and checksum-lost files are named on stderr.\n"
    "\n"
    "      --include=GLOB   check only files matching GLOB (may be repeated)\n"
    "      --exclude=GLOB   do not check files matching GLOB (may be repeated)\n"
    "      --case-sensitive match patterns with case (they ignore it by default)\n"
    "  -v, --verbose        also name every file that could not be checked\n" BKF_COMMON_OPTIONS
    "\n"
    "Exit status: 0 when every file checked is verified or has no checksum; 2 when\n"
    "one is damaged, cut short, has no data or lost its checksum, or a pattern\n"
    "matched no file. Ctrl-C stops the check.\n";

const char kVersionText[] =
    "bkf-recover (Brevant Veltra BKF) " BKF_VERSION "\n" BKF_VERSION_NOTICE;
