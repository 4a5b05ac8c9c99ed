// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check that extract makes before it reads the backup, so that an
// unusable destination is found before a long scan rather than after it.

#include <string>

// Why files cannot be saved into `destination`, or empty when they can: it
// must be a folder or be possible to create, and a file must be possible to
// create in it (or in the folder it would be created in). Leaves nothing
// behind.
std::string DestinationProblem(const std::string& destination);
