// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover mount where the program was built without libfuse.

#include "commands.h"

#ifndef BKF_HAVE_FUSE

#include "messages.h"

int RunMount(const CliOptions&)
{
    PrintMessage("mount is not built into this bkf-recover (it was built without libfuse3)");
    return kExitFailure;
}

#endif
