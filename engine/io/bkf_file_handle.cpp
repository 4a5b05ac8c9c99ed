// SPDX-License-Identifier: GPL-3.0-or-later
#include "bkf_file_handle.h"

BkfFileHandle::~BkfFileHandle()
{
    Close();
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return device == other.device && inode == other.inode && size == other.size
        && modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds
        && changedSeconds == other.changedSeconds && changedNanoseconds == other.changedNanoseconds;
}
