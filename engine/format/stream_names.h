// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names kept in a stream instead of the block: a DIRB whose attributes have
// bit 17 set keeps its path in a PNAM stream, a FILE its name in an FNAM
// stream, both encoded like the name fields.

#include "stream_chain.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

constexpr char kPathStreamTag[] = "PNAM";
constexpr char kFileNameStreamTag[] = "FNAM";

// The name in the block's stream `tag`, converted like a name field with at
// most `limit` characters, when the block's attributes say it lies there and
// the stream is found; nothing otherwise.
// `chain` is the block's stream chain.
std::optional<std::string> StreamedName(const FetchBytes& fetch, std::uint64_t block, const StreamChain& chain,
                                        const char* tag, std::size_t limit);
