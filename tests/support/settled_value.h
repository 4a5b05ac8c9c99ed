// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For tests of a job that is held: what `measure` returns once it no longer
// changes across a turn of 100 ms of the window's loop (a held job has
// settled; a running one only settles at its end). Nothing about time is
// asserted. Header-only, so the engine's Qt-free test support needs no Qt.

#include <QTest>

#include <cstdint>
#include <functional>

inline std::uint64_t SettledValue(const std::function<std::uint64_t()>& measure)
{
    std::uint64_t before = measure();
    for (int turn = 0; turn < 600; ++turn) {
        QTest::qWait(100);
        const std::uint64_t now = measure();
        if (now == before)
            break;
        before = now;
    }
    return before;
}
