// Checks compressed entries with the program's own decoder before the packer writes anything.
// Host only.
#pragma once

#include <cstdint>
#include <vector>

// Decodes stream with the program's decoder, in 8,192-byte chunks as the extractor asks for
// them, and returns true when it yields exactly original[0..size-1] without a decoding failure.
// window, when not null, is the 8,192 bytes decoded before the stream (a piece of an entry that
// starts after them); its matches may reach into them.
bool DecodesTo(const std::vector<uint8_t>& stream, const uint8_t* original, uint32_t size,
               const uint8_t* window = nullptr);
