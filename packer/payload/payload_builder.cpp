// Builds a payload archive from the files of a product folder. Host only.
//
// Every entry is either compressed (method 1) or stored (method 0). An empty file is stored with
// no data, except as the last entry: the extractor refuses an entry whose header ends exactly at
// the end of the archive, so a last empty file becomes a compressed entry with one fill byte,
// which decodes to nothing.
//
// Each file is cut into the encoder's pieces (lzh::kPieceBytes), and the pieces of all files are
// compressed on all cores in file order, each read from its file on its own with the window before
// it, at most kPiecesAhead past the one being written: memory stays bounded whatever the files'
// sizes, and one large file keeps every core busy. The calling thread checks each piece with the
// program's decoder (one global record), joins the pieces' bits into the entry's stream and writes
// it out as it goes; the header's stored size is filled in at the end, or the entry is written
// again stored when compression did not make it smaller. The output does not depend on the thread
// count.
#include "packer/payload/payload_builder.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "archive/payload_format.h"
#include "packer/lzh_encoder/lzh_encoder.h"
#include "packer/payload/progress_line.h"
#include "packer/payload/verify.h"

namespace {

constexpr size_t kCopyBytes = lzh::kPieceBytes;  // a stored entry is copied in pieces this large

// Reads bytes offset..offset+size-1 of the file, opened as it was listed (OpenProductFile, which
// checks its size). Throws naming the file when it cannot, or when it ends before the range does.
void ReadRange(const ProductFile& file, uint64_t offset, uint8_t* out, size_t size) {
  const int fd = OpenProductFile(file);
  int error = 0;
  bool changed = false;
  for (size_t done = 0; error == 0 && !changed && done < size;) {
    ssize_t count = pread(fd, out + done, size - done, off_t(offset + done));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) error = errno;
    changed = count == 0;
    done += count > 0 ? size_t(count) : 0;
  }
  (void)close(fd);  // read only: nothing to lose
  if (error != 0)
    throw KpxError(file.SourcePath + ": cannot read the file (" + std::strerror(error) + ")");
  if (changed) throw KpxError(file.SourcePath + ": the file changed while packing");
}

// One piece of a file to compress: bytes Begin..Begin+Size-1.
struct PieceJob {
  size_t File;
  uint32_t Begin, Size;
};

// A piece as a worker prepared it: the window before it and its bytes, and its stream.
struct PreparedPiece {
  std::vector<uint8_t> Data;  // History bytes before the piece, then the piece
  uint32_t History = 0;
  lzh::StreamPiece Stream;
  std::exception_ptr Error;
  bool Ready = false;
};

// Reads and compresses one piece, adding the bytes encoded to bytesDone as the encoder moves on.
// Runs on a worker thread: the encoder keeps no shared state.
void PreparePiece(const ProductFile& file, const PieceJob& job,
                  const lzh::EncoderSettings& settings, PreparedPiece& piece,
                  std::atomic<uint64_t>& bytesDone) {
  piece.History = lzh::PieceHistory(job.Begin);
  piece.Data.resize(piece.History + size_t(job.Size));
  ReadRange(file, job.Begin - piece.History, piece.Data.data(), piece.Data.size());
  uint32_t reported = 0;
  piece.Stream = lzh::EncodePiece(piece.Data.data() + piece.History, piece.History, job.Size,
                                  settings, [&](uint32_t done) {
                                    bytesDone += done - reported;
                                    reported = done;
                                  });
}

// Compresses pieces on all cores, in order, at most kPiecesAhead past the one being written so
// that memory stays bounded; the caller takes each piece in order and releases it when done.
class ParallelEncoder {
 public:
  ParallelEncoder(const std::vector<ProductFile>& files, std::vector<PieceJob> jobs,
                  const lzh::EncoderSettings& settings)
      : files_(files), jobs_(std::move(jobs)), settings_(settings), pieces_(jobs_.size()) {
    unsigned count = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    for (unsigned t = 0; t < count; ++t) workers_.emplace_back([this] { Work(); });
  }
  ~ParallelEncoder() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }
  // Waits for piece i, rethrowing its worker's error, and calls whileWaiting() every 100 ms
  // until it is ready.
  template <typename WhileWaiting>
  PreparedPiece& Take(size_t i, WhileWaiting whileWaiting) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!changed_.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return pieces_[i].Ready; })) {
      lock.unlock();
      whileWaiting();
      lock.lock();
    }
    if (pieces_[i].Error) std::rethrow_exception(pieces_[i].Error);
    return pieces_[i];
  }
  void Release(size_t i) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      pieces_[i] = PreparedPiece();
      released_ = i + 1;
    }
    changed_.notify_all();
  }
  // Input bytes compressed so far on all workers, pieces not yet written included.
  uint64_t BytesEncoded() const { return bytesEncoded_; }

 private:
  static constexpr size_t kPiecesAhead = 16;

  void Work() {
    for (;;) {
      size_t i;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
          return stop_ || next_ >= jobs_.size() || next_ < released_ + kPiecesAhead;
        });
        if (stop_ || next_ >= jobs_.size()) return;
        i = next_++;
      }
      PreparedPiece piece;
      try {
        PreparePiece(files_[jobs_[i].File], jobs_[i], settings_, piece, bytesEncoded_);
      } catch (...) {
        piece.Error = std::current_exception();
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        piece.Ready = true;
        pieces_[i] = std::move(piece);
      }
      changed_.notify_all();
    }
  }

  const std::vector<ProductFile>& files_;
  const std::vector<PieceJob> jobs_;
  lzh::EncoderSettings settings_;
  std::vector<PreparedPiece> pieces_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::atomic<uint64_t> bytesEncoded_{0};
  size_t next_ = 0, released_ = 0;
  bool stop_ = false;
};

std::vector<PieceJob> CutIntoPieces(const std::vector<ProductFile>& files) {
  std::vector<PieceJob> jobs;
  for (size_t f = 0; f < files.size(); ++f) {
    for (uint64_t begin = 0; begin < files[f].Size; begin += lzh::kPieceBytes)
      jobs.push_back({f, uint32_t(begin),
                      uint32_t(std::min<uint64_t>(lzh::kPieceBytes, files[f].Size - begin))});
  }
  return jobs;
}

// Writes the archive, entry by entry, as the pieces come in.
class PayloadWriter {
 public:
  PayloadWriter(const std::vector<ProductFile>& files, int level, AtomicOutput& out,
                uint64_t sizeLimit)
      : files_(files),
        out_(out),
        sizeLimit_(sizeLimit),
        encoder_(files, CutIntoPieces(files), lzh::SettingsForLevel(level)) {}

  void WriteAll() {
    const uint32_t total = uint32_t(files_.size());
    for (uint32_t i = 0; i < total; ++i) {
      current_ = i;
      const ProductFile& file = files_[i];
      if (file.Size == 0) {
        const bool last = i + 1 == total;  // one fill byte, which decodes to nothing
        out_.Write(EntryHeaderBytes(file.Name, last ? kMethodCompressed : kMethodStored, last, 0));
        if (last) out_.Write(std::vector<uint8_t>(1, 0));
        CheckLimit(file, out_.Size());
      } else {
        WriteCompressed(file);
      }
      bytesIn_ += file.Size;
      progress_.Update(i + 1, total, std::max(bytesIn_, encoder_.BytesEncoded()), bytesIn_,
                       out_.Size());
    }
    progress_.Finish(total, total, bytesIn_, bytesIn_, out_.Size());
  }

 private:
  // Throws when the entry of file would end the archive at end, past the limit.
  void CheckLimit(const ProductFile& file, uint64_t end) const {
    if (end > sizeLimit_)
      throw KpxError(file.SourcePath + ": the payload would pass " + std::to_string(sizeLimit_) +
                     " bytes, the most an archive holds; no archive written");
  }

  // Writes the file's pieces as one stream, each checked with the program's decoder; once the
  // stream is no smaller than the file, the rest is not joined and the entry is stored instead.
  void WriteCompressed(const ProductFile& file) {
    const uint64_t headerAt = out_.Size();
    out_.Write(EntryHeaderBytes(file.Name, kMethodCompressed, 0, uint32_t(file.Size)));
    const uint64_t dataAt = out_.Size();
    std::vector<uint8_t> joined;
    lzh::BitWriter bits(joined);
    bool smaller = true;
    for (uint64_t begin = 0; begin < file.Size; begin += lzh::kPieceBytes, ++job_) {
      PreparedPiece& piece = encoder_.Take(job_, [&] {  // a large file: show the encoder moving on
        progress_.Update(current_, uint32_t(files_.size()), encoder_.BytesEncoded(), bytesIn_,
                         out_.Size());
      });
      if (smaller) JoinPiece(file, piece, bits, joined);
      encoder_.Release(job_);
      smaller = out_.Size() - dataAt < file.Size;
      CheckLimit(file, dataAt + std::min(out_.Size() - dataAt, file.Size));
    }
    bits.Flush();
    out_.Write(joined);
    const uint64_t stored = out_.Size() - dataAt;
    if (stored < file.Size) {
      uint8_t size[4];
      PutLe32(size, uint32_t(stored));
      out_.WriteAt(headerAt + kStoredSizeOffset, size, sizeof size);
      return;
    }
    out_.Truncate(headerAt);
    WriteStored(file);
  }

  // Checks one piece with the program's decoder and appends its bits, writing out whole bytes.
  void JoinPiece(const ProductFile& file, const PreparedPiece& piece, lzh::BitWriter& bits,
                 std::vector<uint8_t>& joined) {
    const uint8_t* bytes = piece.Data.data() + piece.History;
    const uint32_t size = uint32_t(piece.Data.size() - piece.History);
    if (!piece.Stream.Bytes.empty() &&
        !DecodesTo(piece.Stream.Bytes, bytes, size, piece.History ? piece.Data.data() : nullptr))
      throw KpxError(
          file.SourcePath +
          ": internal error: the compressed entry does not decode back; no archive written");
    lzh::AppendPiece(piece.Stream, bits);
    out_.Write(joined);
    joined.clear();
  }

  void WriteStored(const ProductFile& file) {
    out_.Write(
        EntryHeaderBytes(file.Name, kMethodStored, uint32_t(file.Size), uint32_t(file.Size)));
    CheckLimit(file, out_.Size() + file.Size);
    std::vector<uint8_t> buffer;
    for (uint64_t begin = 0; begin < file.Size; begin += kCopyBytes) {
      buffer.resize(std::min<uint64_t>(kCopyBytes, file.Size - begin));
      ReadRange(file, begin, buffer.data(), buffer.size());
      out_.Write(buffer);
    }
  }

  const std::vector<ProductFile>& files_;
  AtomicOutput& out_;
  const uint64_t sizeLimit_;
  ProgressLine progress_;
  ParallelEncoder encoder_;
  size_t job_ = 0;  // the next piece to write
  uint32_t current_ = 0;
  uint64_t bytesIn_ = 0;
};

}  // namespace

uint64_t BuildPayload(const std::vector<ProductFile>& files, int level, AtomicOutput& out,
                      uint64_t sizeLimit) {
  PayloadWriter writer(files, level, out, sizeLimit);
  writer.WriteAll();
  return out.Size();
}
