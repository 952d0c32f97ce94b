// Builds a payload archive from the files of a product folder. Host only.
//
// Every entry is either compressed (method 1) or stored (method 0). An empty file is stored with
// no data, except as the last entry: the extractor refuses an entry whose header ends exactly at
// the end of the archive, so a last empty file becomes a compressed entry with one fill byte,
// which decodes to nothing.
#include "packer/payload_builder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

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
  if (!in && !in.eof()) throw KpxError(file.SourcePath + ": cannot read the file");
  if (bytes.size() != file.Size)
    throw KpxError(file.SourcePath + ": the file changed while packing");
  return bytes;
}

// One file's entry as a worker prepared it: the file's bytes and, when compression made them
// smaller, the compressed stream.
struct PreparedEntry {
  std::vector<uint8_t> Data;
  std::vector<uint8_t> Stream;
  std::exception_ptr Error;
  bool Ready = false;
};

// Reads and compresses one file, adding the bytes encoded to bytesDone as the encoder moves on.
// Runs on a worker thread: the encoder keeps no shared state.
void PrepareEntry(const ProductFile& file, const lzh::EncoderSettings& settings,
                  PreparedEntry& entry, std::atomic<uint64_t>& bytesDone) {
  entry.Data = ReadFileBytes(file);
  uint32_t size = uint32_t(entry.Data.size());
  if (size == 0) return;
  uint32_t reported = 0;
  entry.Stream = lzh::EncodeLzh(entry.Data.data(), size, settings, [&](uint32_t done) {
    bytesDone += done - reported;
    reported = done;
  });
  if (entry.Stream.size() >= entry.Data.size()) entry.Stream.clear();  // stored instead
}

// Throws when an entry of storedSize bytes would end the archive past sizeLimit.
void CheckArchiveLimit(const std::vector<uint8_t>& archive, const ProductFile& file,
                       size_t storedSize, uint64_t sizeLimit) {
  uint64_t end = archive.size() + kFixedHeaderSize + file.Name.size() + 1 + storedSize;
  if (end > sizeLimit)
    throw KpxError(file.SourcePath + ": the payload would pass " + std::to_string(sizeLimit) +
                   " bytes, the most an archive holds; no archive written");
}

// Appends one prepared entry; the stream is decoded again with the program's decoder first.
void AppendPrepared(std::vector<uint8_t>& archive, const ProductFile& file,
                    const PreparedEntry& entry, bool last, uint64_t sizeLimit) {
  uint32_t size = uint32_t(entry.Data.size());
  CheckArchiveLimit(archive, file,
                    entry.Stream.empty() ? size + (last && size == 0) : entry.Stream.size(),
                    sizeLimit);
  if (size == 0 && last) {
    AppendEntry(archive, file.Name, kMethodCompressed, std::vector<uint8_t>(1, 0), 0);
  } else if (!entry.Stream.empty()) {
    if (!DecodesTo(entry.Stream, entry.Data.data(), size))
      throw KpxError(
          file.SourcePath +
          ": internal error: the compressed entry does not decode back; no archive written");
    AppendEntry(archive, file.Name, kMethodCompressed, entry.Stream, size);
  } else {
    AppendEntry(archive, file.Name, kMethodStored, entry.Data, size);
  }
}

// Compresses files on all cores, in file order, at most kPreparedAhead files past the one being
// appended so that memory stays bounded; appending and verifying stay on the calling thread,
// since the decoder is one global record. The output does not depend on the thread count.
class ParallelPreparer {
 public:
  ParallelPreparer(const std::vector<ProductFile>& files, const lzh::EncoderSettings& settings)
      : files_(files), settings_(settings), entries_(files.size()) {
    unsigned count = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    for (unsigned t = 0; t < count; ++t) workers_.emplace_back([this] { Work(); });
  }
  ~ParallelPreparer() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }
  // Waits for entry i, rethrowing its worker's error, and calls whileWaiting() every 100 ms
  // until it is ready; the caller calls Release(i) when done.
  template <typename WhileWaiting>
  PreparedEntry& Take(size_t i, WhileWaiting whileWaiting) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!changed_.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return entries_[i].Ready; })) {
      lock.unlock();
      whileWaiting();
      lock.lock();
    }
    if (entries_[i].Error) std::rethrow_exception(entries_[i].Error);
    return entries_[i];
  }
  void Release(size_t i) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      entries_[i] = PreparedEntry();
      released_ = i + 1;
    }
    changed_.notify_all();
  }
  // Input bytes compressed so far on all workers, files not yet appended included.
  uint64_t BytesEncoded() const { return bytesEncoded_; }

 private:
  static constexpr size_t kPreparedAhead = 16;

  void Work() {
    for (;;) {
      size_t i;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
          return stop_ || next_ >= files_.size() || next_ < released_ + kPreparedAhead;
        });
        if (stop_ || next_ >= files_.size()) return;
        i = next_++;
      }
      PreparedEntry entry;
      try {
        PrepareEntry(files_[i], settings_, entry, bytesEncoded_);
      } catch (...) {
        entry.Error = std::current_exception();
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        entry.Ready = true;
        entries_[i] = std::move(entry);
      }
      changed_.notify_all();
    }
  }

  const std::vector<ProductFile>& files_;
  lzh::EncoderSettings settings_;
  std::vector<PreparedEntry> entries_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::atomic<uint64_t> bytesEncoded_{0};
  size_t next_ = 0, released_ = 0;
  bool stop_ = false;
};

}  // namespace

std::vector<uint8_t> BuildPayload(const std::vector<ProductFile>& files, int level,
                                  uint64_t sizeLimit) {
  std::vector<uint8_t> archive;
  ProgressLine progress;
  uint64_t bytesIn = 0;
  uint32_t total = uint32_t(files.size());
  ParallelPreparer preparer(files, lzh::SettingsForLevel(level));
  for (uint32_t i = 0; i < total; ++i) {
    PreparedEntry& entry = preparer.Take(i, [&] {  // a large file: show the encoder moving on
      progress.Update(i, total, preparer.BytesEncoded(), bytesIn, archive.size());
    });
    AppendPrepared(archive, files[i], entry, i + 1 == total, sizeLimit);
    preparer.Release(i);
    bytesIn += files[i].Size;
    progress.Update(i + 1, total, std::max(bytesIn, preparer.BytesEncoded()), bytesIn,
                    archive.size());
  }
  progress.Finish(total, total, bytesIn, bytesIn, archive.size());
  return archive;
}
