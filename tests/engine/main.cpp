// SPDX-License-Identifier: GPL-3.0-or-later
// The engine tests' entry point: GoogleTest with the test file-size cap.

#include "file_size_limit.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    LimitTestFileSize();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
