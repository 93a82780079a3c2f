#include "Inflater.h"

#include <cstring>
#include <memory>

#include "ByteOrder.h"
#include "DeflateTables.h"
#include "HuffmanTree.h"

namespace skin {

namespace {

constexpr std::size_t kInputBufferSize = 0x4000;
constexpr std::size_t kWindowSize = 0x10102;      // 64 KiB plus one longest match
constexpr std::size_t kFlushThreshold = 0x10000;  // window fill that triggers a flush
constexpr std::size_t kFlushSize = 0x8000;        // bytes written out per flush
constexpr std::size_t kStoredPieceSize = 0x4000;
// Matches are copied up to sixteen bytes at a time and may write up to fifteen bytes past
// their end.
constexpr std::size_t kWideCopy = 16;
constexpr std::size_t kCopySlack = 32;
constexpr unsigned kFastRefillBits = 56;
constexpr int kCodeLengthLimit = 7;
constexpr int kCodeLimit = 15;
constexpr int kCodeLengthSymbols = 19;

enum BlockType { kStored = 0, kFixed = 1, kDynamic = 2 };

class Inflater {
 public:
  Inflater(tk::TStream& source, InflateSink& sink, std::int64_t outputLimit)
      : source_(source),
        sink_(sink),
        outputLimit_(outputLimit),
        input_(std::make_unique<std::uint8_t[]>(kInputBufferSize + sizeof(std::uint64_t))),
        window_(std::make_unique<std::uint8_t[]>(kWindowSize + kCopySlack)) {}

  InflateStatus Run();

 private:
  // Bit input. The bit buffer holds bitCount_ unread bits, first bit in bit 0; bits above them
  // are either zero or the bits of the next unread input bytes, so refills may OR over them.
  // Past the end of the source, zero bytes are shifted in and counted in padBytes_; reading
  // any of them means the stream was truncated.
  bool Refill() {
    if (inputEnd_ - inputPos_ >= sizeof(std::uint64_t)) {
      bitBuffer_ |= LoadLE64(input_.get() + inputPos_) << bitCount_;
      inputPos_ += (63 - bitCount_) >> 3;
      bitCount_ |= kFastRefillBits;
      return true;
    }
    return SlowRefill();
  }
  bool SlowRefill();
  void FillInput();
  bool Overran() const { return bitCount_ < 8 * padBytes_; }
  bool Need(unsigned bits) { return bitCount_ >= bits || Refill(); }
  std::uint32_t Peek(unsigned bits) const {
    return static_cast<std::uint32_t>(bitBuffer_ & ((std::uint64_t{1} << bits) - 1));
  }
  void Consume(unsigned bits) {
    bitBuffer_ >>= bits;
    bitCount_ -= bits;
  }
  std::uint32_t Take(unsigned bits) {
    const std::uint32_t value = Peek(bits);
    Consume(bits);
    return value;
  }

  // Output window.
  bool FlushIfFull() { return windowPos_ < kFlushThreshold || Flush(); }
  bool Flush();
  bool FinishOutput();

  InflateStatus StoredBlock();
  InflateStatus DynamicBlock();
  InflateStatus DecodeBlock(const THuffmanTree& literals, const THuffmanTree& distances);

  tk::TStream& source_;
  InflateSink& sink_;
  const std::int64_t outputLimit_;
  std::unique_ptr<std::uint8_t[]> input_;
  std::size_t inputPos_ = 0;
  std::size_t inputEnd_ = 0;
  bool sourceDone_ = false;
  std::uint64_t bitBuffer_ = 0;
  unsigned bitCount_ = 0;
  unsigned padBytes_ = 0;
  std::unique_ptr<std::uint8_t[]> window_;
  std::size_t windowPos_ = 0;
  std::int64_t written_ = 0;
  THuffmanTree codeLengthTree_{kCodeLengthLimit};
  THuffmanTree literalTree_{kCodeLimit};
  THuffmanTree distanceTree_{kCodeLimit};
};

void Inflater::FillInput() {
  const std::size_t tail = inputEnd_ - inputPos_;
  std::memmove(input_.get(), input_.get() + inputPos_, tail);
  inputPos_ = 0;
  inputEnd_ = tail;
  while (!sourceDone_ && inputEnd_ < kInputBufferSize) {
    const std::int64_t n = source_.Read(input_.get() + inputEnd_,
                                        static_cast<std::int64_t>(kInputBufferSize - inputEnd_));
    if (n <= 0)
      sourceDone_ = true;
    else
      inputEnd_ += static_cast<std::size_t>(n);
  }
}

bool Inflater::SlowRefill() {
  if (Overran()) return false;
  if (!sourceDone_) {
    FillInput();
    if (inputEnd_ - inputPos_ >= sizeof(std::uint64_t)) return Refill();
  }
  while (bitCount_ <= kFastRefillBits) {
    if (inputPos_ < inputEnd_) {
      bitBuffer_ |= static_cast<std::uint64_t>(input_[inputPos_++]) << bitCount_;
    } else {
      ++padBytes_;
    }
    bitCount_ += 8;
  }
  return true;
}

bool Inflater::Flush() {
  if (written_ + static_cast<std::int64_t>(kFlushSize) > outputLimit_) return false;
  sink_.Write(window_.get(), kFlushSize);
  written_ += kFlushSize;
  windowPos_ -= kFlushSize;
  std::memmove(window_.get(), window_.get() + kFlushSize, windowPos_);
  return true;
}

bool Inflater::FinishOutput() {
  if (written_ + static_cast<std::int64_t>(windowPos_) > outputLimit_) return false;
  if (windowPos_ > 0) sink_.Write(window_.get(), windowPos_);
  written_ += static_cast<std::int64_t>(windowPos_);
  windowPos_ = 0;
  return true;
}

InflateStatus Inflater::Run() {
  bool finalBlock = false;
  while (!finalBlock) {
    if (!Need(3)) return InflateStatus::Corrupt;
    finalBlock = Take(1) != 0;
    InflateStatus status = InflateStatus::Corrupt;
    switch (Take(2)) {
      case kStored: status = StoredBlock(); break;
      case kFixed: status = DecodeBlock(FixedLiteralTree(), FixedDistanceTree()); break;
      case kDynamic: status = DynamicBlock(); break;
      default: break;
    }
    if (status != InflateStatus::Ok) return status;
  }
  if (Overran()) return InflateStatus::Corrupt;
  return FinishOutput() ? InflateStatus::Ok : InflateStatus::OutputTooLarge;
}

InflateStatus Inflater::StoredBlock() {
  Consume(bitCount_ & 7);
  if (!Need(32)) return InflateStatus::Corrupt;
  std::uint32_t length = Take(16);
  Consume(16);  // the one's complement of the length is not checked

  while (length > 0 && bitCount_ >= 8) {
    window_[windowPos_++] = static_cast<std::uint8_t>(Take(8));
    --length;
    if (!FlushIfFull()) return InflateStatus::OutputTooLarge;
  }
  if (Overran()) return InflateStatus::Corrupt;
  if (length == 0) return InflateStatus::Ok;

  // The bit buffer is empty: copy the rest straight from the input buffer.
  bitBuffer_ = 0;
  while (length > 0) {
    if (inputPos_ == inputEnd_) {
      FillInput();
      if (inputPos_ == inputEnd_) return InflateStatus::Corrupt;
    }
    std::size_t piece = std::min<std::size_t>(length, kStoredPieceSize);
    piece = std::min(piece, inputEnd_ - inputPos_);
    piece = std::min(piece, kFlushThreshold - windowPos_);
    std::memcpy(window_.get() + windowPos_, input_.get() + inputPos_, piece);
    inputPos_ += piece;
    windowPos_ += piece;
    length -= static_cast<std::uint32_t>(piece);
    if (!FlushIfFull()) return InflateStatus::OutputTooLarge;
  }
  return InflateStatus::Ok;
}

InflateStatus Inflater::DynamicBlock() {
  if (!Need(14)) return InflateStatus::Corrupt;
  const int literalCount = static_cast<int>(Take(5)) + 257;
  const int distanceCount = static_cast<int>(Take(5)) + 1;
  const int codeLengthCount = static_cast<int>(Take(4)) + 4;
  if (literalCount > kMaxLiteralLengthCodes || distanceCount > kMaxDistanceCodesInHeader)
    return InflateStatus::Corrupt;

  std::uint8_t codeLengths[kCodeLengthSymbols] = {};
  for (int i = 0; i < codeLengthCount; ++i) {
    if (!Need(3)) return InflateStatus::Corrupt;
    codeLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(Take(3));
  }
  codeLengthTree_.BuildTable(codeLengths, 0, kCodeLengthSymbols, THuffmanTree::kNoExtraSymbols,
                             nullptr);

  std::uint8_t lengths[kMaxLiteralLengthCodes + kMaxDistanceCodesInHeader];
  const int total = literalCount + distanceCount;
  int count = 0;
  while (count < total) {
    if (!Refill()) return InflateStatus::Corrupt;
    const std::uint32_t entry = codeLengthTree_.Lookup(Peek(kCodeLengthLimit));
    if (entry == THuffmanTree::kUnfilled) return InflateStatus::Corrupt;
    Consume(THuffmanTree::CodeLength(entry));
    const std::uint32_t symbol = THuffmanTree::Symbol(entry);
    if (symbol < 16) {
      lengths[count++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    std::uint8_t value = 0;
    int repeat;
    if (symbol == 16) {
      if (count == 0) return InflateStatus::Corrupt;
      value = lengths[count - 1];
      repeat = 3 + static_cast<int>(Take(2));
    } else if (symbol == 17) {
      repeat = 3 + static_cast<int>(Take(3));
    } else {
      repeat = 11 + static_cast<int>(Take(7));
    }
    if (count + repeat > total) return InflateStatus::Corrupt;
    std::memset(lengths + count, value, static_cast<std::size_t>(repeat));
    count += repeat;
  }
  if (Overran()) return InflateStatus::Corrupt;

  literalTree_.BuildTable(lengths, 0, literalCount, kFirstLengthSymbol, kLengthExtraBits.data());
  distanceTree_.BuildTable(lengths, literalCount, distanceCount, 0, kDistanceExtraBits.data());
  return DecodeBlock(literalTree_, distanceTree_);
}

// The decoding loop keeps the bit buffer, the input position and the window position in
// locals: stores into the window could otherwise alias the members and force reloads. The
// members are brought up to date around every call that uses them.
//
// After a refill at least 56 bits are buffered: enough for a literal/length code with its
// extra bits (at most 15 + 5) and a distance code with its extra bits (at most 15 + 13), or
// for three literals in a row, which is how most of the output comes.
InflateStatus Inflater::DecodeBlock(const THuffmanTree& literals, const THuffmanTree& distances) {
  std::uint8_t* const window = window_.get();
  const std::uint8_t* const input = input_.get();
  std::uint64_t bits = bitBuffer_;
  unsigned count = bitCount_;
  std::size_t inPos = inputPos_;
  std::size_t inEnd = inputEnd_;
  std::size_t pos = windowPos_;
  const auto save = [&] {
    bitBuffer_ = bits;
    bitCount_ = count;
    inputPos_ = inPos;
    windowPos_ = pos;
  };
  const auto load = [&] {
    bits = bitBuffer_;
    count = bitCount_;
    inPos = inputPos_;
    inEnd = inputEnd_;
    pos = windowPos_;
  };
  const auto refill = [&] {
    if (inEnd - inPos >= sizeof(std::uint64_t)) {
      bits |= LoadLE64(input + inPos) << count;
      inPos += (63 - count) >> 3;
      count |= kFastRefillBits;
      return true;
    }
    save();
    const bool ok = SlowRefill();
    load();
    return ok;
  };
  const auto consume = [&](unsigned n) {
    bits >>= n;
    count -= n;
  };
  const auto take = [&](unsigned n) {
    const auto value = static_cast<std::uint32_t>(bits & ((std::uint64_t{1} << n) - 1));
    consume(n);
    return value;
  };
  const auto flushIfFull = [&] {
    if (pos < kFlushThreshold) return true;
    save();
    const bool ok = Flush();
    load();
    return ok;
  };
  const auto finish = [&](InflateStatus status) {
    save();
    return status;
  };
  const auto isLiteral = [](std::uint32_t entry) {
    return THuffmanTree::Symbol(entry) < kEndOfBlock;
  };

  for (;;) {
    if (!refill()) return finish(InflateStatus::Corrupt);
    std::uint32_t entry = literals.Lookup(static_cast<std::uint32_t>(bits));
    if (isLiteral(entry)) {
      for (int i = 0; i < 3 && isLiteral(entry); ++i) {
        consume(THuffmanTree::CodeLength(entry));
        window[pos++] = static_cast<std::uint8_t>(entry);
        entry = literals.Lookup(static_cast<std::uint32_t>(bits));
      }
      if (!flushIfFull()) return finish(InflateStatus::OutputTooLarge);
      continue;
    }
    if (entry == THuffmanTree::kUnfilled) return finish(InflateStatus::Corrupt);
    std::uint32_t symbol = THuffmanTree::Symbol(entry);
    consume(THuffmanTree::CodeLength(entry));
    if (symbol == kEndOfBlock) {
      save();
      return Overran() ? InflateStatus::Corrupt : InflateStatus::Ok;
    }

    symbol -= kFirstLengthSymbol;
    if (symbol >= kLengthSymbols) return finish(InflateStatus::Corrupt);
    const std::size_t length = kLengthBase[symbol] + take(THuffmanTree::ExtraBits(entry));

    entry = distances.Lookup(static_cast<std::uint32_t>(bits));
    if (entry == THuffmanTree::kUnfilled) return finish(InflateStatus::Corrupt);
    symbol = THuffmanTree::Symbol(entry);
    if (symbol >= kDistanceCodes) return finish(InflateStatus::Corrupt);
    consume(THuffmanTree::CodeLength(entry));
    const std::size_t distance = kDistanceBase[symbol] + take(THuffmanTree::ExtraBits(entry));
    // After a flush the window still holds 32 KiB, the longest distance there is.
    if (distance > pos) return finish(InflateStatus::Corrupt);

    std::uint8_t* out = window + pos;
    const std::uint8_t* from = out - distance;
    if (distance >= kWideCopy) {
      std::uint8_t* const end = out + length;
      do {
        std::memcpy(out, from, kWideCopy);
        out += kWideCopy;
        from += kWideCopy;
      } while (out < end);
    } else if (distance >= sizeof(std::uint64_t)) {
      std::uint8_t* const end = out + length;
      do {
        std::memcpy(out, from, sizeof(std::uint64_t));
        out += sizeof(std::uint64_t);
        from += sizeof(std::uint64_t);
      } while (out < end);
    } else if (distance == 1) {
      std::memset(out, *from, length);
    } else {
      for (std::size_t i = 0; i < length; ++i) out[i] = from[i];
    }
    pos += length;
    if (!flushIfFull()) return finish(InflateStatus::OutputTooLarge);
  }
}

}  // namespace

InflateStatus Inflate(tk::TStream& source, InflateSink& sink, std::int64_t outputLimit) {
  Inflater inflater(source, sink, outputLimit);
  return inflater.Run();
}

}  // namespace skin
