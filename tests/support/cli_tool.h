// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// bkf-recover run as a user runs it; the test target defines
// BKF_RECOVER_PATH as the path of the binary.

#include "tool_process.h"

#include <gtest/gtest.h>

#ifndef BKF_RECOVER_PATH
#error "BKF_RECOVER_PATH must name the bkf-recover binary"
#endif

inline Tool::Result RunRecover(const std::vector<std::string>& args, const ToolSetup& setup = {})
{
    Tool tool(BKF_RECOVER_PATH, args, setup);
    if (!tool.Start())
        return {};
    Tool::Result result = tool.Finish();
    EXPECT_FALSE(result.timedOut) << "bkf-recover hung";
    return result;
}

// True when `err` is the one summary line that starts with `start`.
inline bool IsSummary(const std::string& err, const std::string& start)
{
    return err.rfind("bkf-recover: " + start, 0) == 0 && Lines(err).size() == 1;
}
