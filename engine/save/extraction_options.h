// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a save writes the recovered files.

#include <string>

struct ExtractionOptions {
    // Gives saved files and folders the modification dates of their blocks.
    bool restoreTimes = false;
    // Saves into the latest existing output folder, keeping the files that
    // are there whole already.
    bool continueSave = false;
    // The report names each saved file whose data could not be checked
    // against a checksum (a path per file: only when asked for).
    bool nameUnchecked = false;
    // With continueSave: the output folder (full path) to go on in, as
    // FindEarlierSave found it, instead of the latest one at the time of the save.
    std::string continueIn{};
};
