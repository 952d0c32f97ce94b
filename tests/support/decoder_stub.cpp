// TEMPORARY: stands in for the decoder until it lands, so that the extractor links. Linked after
// setup_core, so the real decoder wins as soon as it exists.
#include "archive/lzh_decoder.h"

LzhDecoder Lzh;
uint8_t DecodeWindow[kDecodeWindowSize];
int DecodeFailed;

void DecodeStart(const uint8_t*, uint32_t) {}
void DecodeChunk(uint32_t, uint8_t*) { DecodeFailed = 1; }
