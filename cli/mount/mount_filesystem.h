// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A catalogue's folder tree served as a read-only file system (libfuse).

#include <functional>
#include <string>

class BkfFileHandle;
class MountTree;

// Mounts `tree` read-only at `mountpoint` and serves it, several readers at
// once, until `fusermount3 -u MOUNTPOINT` or SIGINT, SIGTERM or SIGHUP, then
// unmounts. File data are read from `backup` through bounded reads in which
// an unreadable sector reads as zeros. Returns false (with the reason) when
// the mount could not be made. `mounted` is called once the folder shows the tree.
bool ServeMount(const MountTree& tree, const BkfFileHandle& backup, const std::string& mountpoint,
                const std::function<void()>& mounted, std::string* why);
