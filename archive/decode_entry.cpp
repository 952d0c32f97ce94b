// DecodeEntry: the chunk loop over the decoder. Every chunk but the last is a full window, as
// the decoder requires; a damaged chunk never reaches the sink.
#include "archive/decode_entry.h"

#include "archive/lzh_decoder.h"

DecodeEntryResult DecodeEntry(const uint8_t* stored, uint32_t storedSize, uint32_t unpackedSize,
                              DecodedChunkSink sink, void* context) {
  DecodeFailed = 0;
  DecodeStart(stored, storedSize);
  for (uint32_t remaining = unpackedSize; remaining > 0;) {
    const uint32_t count = remaining < kDecodeWindowSize ? remaining : kDecodeWindowSize;
    DecodeChunk(count, DecodeWindow);
    if (DecodeFailed) return kDecodeEntryDamaged;
    if (sink != nullptr && !sink(DecodeWindow, count, context)) return kDecodeEntryStopped;
    remaining -= count;
  }
  return kDecodeEntryComplete;
}
