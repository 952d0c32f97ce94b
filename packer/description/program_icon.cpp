// Checks an .ico file: ICONDIR (reserved 0, type 1, count), one 16-byte ICONDIRENTRY per image
// (width, height, colours, reserved, planes, bits, byte count, offset), then each image as a
// BITMAPINFOHEADER, its palette, the colour bits and the transparency mask. Host only.
#include "packer/description/program_icon.h"

#include <fstream>
#include <iterator>

#include "packer/kpx_error.h"
#include "packer/payload/product_files.h"

namespace {

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kBitmapHeaderSize = 40;
constexpr uint32_t kColourBits = 4;  // 16 colours

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}

// Bytes of one row of pixels at bits per pixel, padded to 4 bytes as bitmaps store them.
uint32_t RowBytes(uint32_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// The problem of image number (from 1) whose directory entry starts at entry, or "".
std::string ImageProblem(const std::vector<uint8_t>& ico, size_t entry, int number) {
  uint32_t side = ico[entry] == 0 ? 256 : ico[entry];
  uint32_t height = ico[entry + 1] == 0 ? 256 : ico[entry + 1];
  std::string name = "image " + std::to_string(number) + " (" + std::to_string(side) + " x " +
                     std::to_string(height) + ")";
  if (side != height || (side != 32 && side != 16))
    return name + " has the wrong size: the images must be 32 x 32 and 16 x 16";
  uint32_t size = Read32(ico, entry + 8), offset = Read32(ico, entry + 12);
  if (offset > ico.size() || size > ico.size() - offset) return name + " lies outside the file";
  if (size >= 4 && ico[offset] == 0x89 && ico[offset + 1] == 'P' && ico[offset + 2] == 'N')
    return name + " is PNG-compressed: it must be a bitmap";
  if (size < kBitmapHeaderSize || Read32(ico, offset) < kBitmapHeaderSize)
    return name + " is not a bitmap";
  uint32_t bits = Read16(ico, offset + 14);
  if (Read32(ico, offset + 4) != side || Read32(ico, offset + 8) != 2 * side)
    return name + ": its bitmap is not " + std::to_string(side) + " x " + std::to_string(side);
  if (bits != kColourBits || Read16(ico, offset + 12) != 1)
    return name + " has " + std::to_string(bits) +
           " bits per pixel: it must have 16 colours (4 bits)";
  if (Read32(ico, offset + 16) != 0) return name + " is compressed: it must be a plain bitmap";
  uint32_t colours = Read32(ico, offset + 32);
  if (colours > 16) return name + " has a palette of " + std::to_string(colours) + " colours";
  uint32_t needed = Read32(ico, offset) + 4 * (colours == 0 ? 16 : colours) +
                    side * (RowBytes(side, kColourBits) + RowBytes(side, 1));
  if (size < needed)
    return name + " is cut short (" + std::to_string(size) + " bytes, a bitmap of its size needs " +
           std::to_string(needed) + ")";
  return "";
}

}  // namespace

std::string ProgramIconProblem(const std::vector<uint8_t>& ico) {
  if (ico.size() < kDirectorySize || Read16(ico, 0) != 0 || Read16(ico, 2) != 1)
    return "is not an icon file (.ico)";
  uint32_t count = Read16(ico, 4);
  if (count != 2)
    return "holds " + std::to_string(count) +
           " images: the program's icon holds exactly two, 32 x 32 and 16 x 16 of 16 colours";
  if (ico.size() < kDirectorySize + count * kEntrySize) return "is cut short in its directory";
  for (uint32_t i = 0; i < count; ++i) {
    std::string problem = ImageProblem(ico, kDirectorySize + i * kEntrySize, int(i) + 1);
    if (!problem.empty()) return problem;
  }
  if (ico[kDirectorySize] == ico[kDirectorySize + kEntrySize])
    return "holds two " + std::to_string(ico[kDirectorySize]) + " x " +
           std::to_string(ico[kDirectorySize]) + " images: one must be 32 x 32, the other 16 x 16";
  return "";
}

std::vector<uint8_t> ReadProgramIcon(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw KpxError("icon: " + path + ": cannot open the file");
  std::vector<uint8_t> ico((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw KpxError("icon: " + path + ": cannot read the file");
  std::string problem = ProgramIconProblem(ico);
  if (!problem.empty()) throw KpxError("icon: " + path + " " + problem);
  return ico;
}
