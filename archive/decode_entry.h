// Decoding one whole compressed entry, chunk by chunk, for every reader of the payload: the
// extractor, the host tool's check, the packer's verifier, the tests and the fuzzers. Portable;
// allocates nothing.
#pragma once

#include <cstdint>

// Receives each decoded chunk (count bytes, the window's first count bytes; full chunks but the
// last). Returns false to stop decoding, for example when a write fails.
typedef bool (*DecodedChunkSink)(const uint8_t* bytes, uint32_t count, void* context);

enum DecodeEntryResult : int {
  kDecodeEntryComplete = 0,  // every byte decoded cleanly and accepted by the sink
  kDecodeEntryDamaged = 1,   // the stream is damaged (or used bits beyond its stored bytes)
  kDecodeEntryStopped = 2,   // the sink refused a chunk
};

// Decodes unpackedSize bytes from the storedSize bytes at stored, handing every chunk to sink
// (which may be null) unless the chunk was found damaged. Clears DecodeFailed first and leaves it
// set when the stream is damaged.
DecodeEntryResult DecodeEntry(const uint8_t* stored, uint32_t storedSize, uint32_t unpackedSize,
                              DecodedChunkSink sink, void* context);
