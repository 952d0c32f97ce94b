// Builds a payload archive from the files of a product folder. Host only.
//
// Every entry is either compressed (method 1) or stored (method 0). An empty file is stored with
// no data, except as the last entry: the extractor refuses an entry whose header ends exactly at
// the end of the archive, so a last empty file becomes a compressed entry with one fill byte,
// which decodes to nothing.
#include "packer/payload_builder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive/payload_format.h"
#include "packer/archive_writer.h"
#include "packer/lzh_encoder/lzh_encoder.h"
#include "packer/progress_line.h"
#include "packer/verify.h"

namespace {

std::vector<uint8_t> ReadFileBytes(const ProductFile& file) {
  std::ifstream in(file.SourcePath, std::ios::binary);
  std::vector<uint8_t> bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw PackError(file.SourcePath + ": cannot read the file");
  if (bytes.size() != file.Size) throw PackError(file.SourcePath + ": the file changed while packing");
  return bytes;
}

// Appends one file's entry; returns the bytes it added. progress hears of the file's bytes
// encoded so far.
size_t AppendFileEntry(std::vector<uint8_t>& archive, const ProductFile& file,
                       const lzh::EncoderSettings& settings, bool last,
                       const lzh::EncodeProgress& progress) {
  std::vector<uint8_t> data = ReadFileBytes(file);
  uint32_t size = uint32_t(data.size());
  size_t before = archive.size();
  if (size == 0 && last) {
    AppendEntry(archive, file.Name, kMethodCompressed, std::vector<uint8_t>(1, 0), 0);
    return archive.size() - before;
  }
  std::vector<uint8_t> stream = lzh::EncodeLzh(data.data(), size, settings, progress);
  if (size != 0 && stream.size() < data.size()) {
    if (!DecodesTo(stream, data.data(), size))
      throw PackError(file.SourcePath +
                      ": internal error: the compressed entry does not decode back; no archive written");
    AppendEntry(archive, file.Name, kMethodCompressed, stream, size);
  } else {
    AppendEntry(archive, file.Name, kMethodStored, data, size);
  }
  return archive.size() - before;
}

}  // namespace

std::vector<uint8_t> BuildPayload(const std::vector<ProductFile>& files, int level) {
  lzh::EncoderSettings settings = lzh::SettingsForLevel(level);
  std::vector<uint8_t> archive;
  ProgressLine progress;
  uint64_t bytesIn = 0;
  uint32_t total = uint32_t(files.size());
  for (uint32_t i = 0; i < total; ++i) {
    auto inFile = [&](uint32_t done) { progress.Update(i, total, bytesIn + done, archive.size()); };
    AppendFileEntry(archive, files[i], settings, i + 1 == total, inFile);
    bytesIn += files[i].Size;
    progress.Update(i + 1, total, bytesIn, archive.size());
  }
  progress.Finish(total, total, bytesIn, archive.size());
  return archive;
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      throw PackError(path + ": cannot write the file");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::remove(temporary.c_str());
    throw PackError(path + ": cannot write the file (" + ec.message() + ")");
  }
}
