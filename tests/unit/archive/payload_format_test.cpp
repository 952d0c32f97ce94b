// The header reader agrees with the layout the packer writes.
#include "archive/payload_format.h"

#include <cstring>

#include <gtest/gtest.h>

TEST(PayloadFormat, ReadLe32ReadsLittleEndian) {
  const uint8_t bytes[4] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(ReadLe32(bytes), 0x12345678u);
}
