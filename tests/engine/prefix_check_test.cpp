// SPDX-License-Identifier: GPL-3.0-or-later
// The one prefix check shared by the window's settings and bkf-recover.

#include "prefix_check.h"

#include <gtest/gtest.h>

TEST(PrefixCheck, NamesTheFirstFault)
{
    const std::pair<const char*, PrefixFault> cases[] = {
        {"Recovered BKF", PrefixFault::None},
        {" ", PrefixFault::None},
        {"a\"b. ", PrefixFault::None},
        {"Zürich", PrefixFault::None},
        {"", PrefixFault::Empty},
        {".", PrefixFault::DotName},
        {"..", PrefixFault::DotName},
        {"...", PrefixFault::None},
        {"a\tb", PrefixFault::ControlCharacter},
        {"a\x7F", PrefixFault::ControlCharacter},
        {"a/b", PrefixFault::ForbiddenCharacter},
        {"a\\b", PrefixFault::ForbiddenCharacter},
        {"a|b", PrefixFault::ForbiddenCharacter},
        {"a*", PrefixFault::ForbiddenCharacter},
        {"c:", PrefixFault::ForbiddenCharacter},
        {"?", PrefixFault::ForbiddenCharacter},
        {"<a>", PrefixFault::ForbiddenCharacter},
        {"John's", PrefixFault::ForbiddenCharacter},
    };
    for (const auto& [prefix, fault] : cases)
        EXPECT_EQ(CheckPrefix(prefix), fault) << '"' << prefix << '"';
}
