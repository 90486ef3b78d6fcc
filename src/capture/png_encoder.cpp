#include "capture/png_encoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <emmintrin.h>
#include <memory>
#include <new>

namespace kx {
namespace {

static_assert(std::endian::native == std::endian::little, "whole words are stored as they are");

uint32_t Load32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint64_t Load64(const uint8_t* p) {
  return uint64_t(Load32(p)) | uint64_t(Load32(p + 4)) << 32;
}
void Store32BigEndian(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}

// ---- Checksums: CRC-32 sixteen bytes a step (slicing by 16), Adler-32 in SSE2.

constexpr auto kCrcTables = [] {
  std::array<std::array<uint32_t, 256>, 16> t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][n] = c;
  }
  for (int s = 1; s < 16; ++s)
    for (uint32_t n = 0; n < 256; ++n) t[s][n] = (t[s - 1][n] >> 8) ^ t[0][t[s - 1][n] & 0xFF];
  return t;
}();

// Continues `crc` (0 to start) over n more bytes.
uint32_t Crc32(uint32_t crc, const uint8_t* p, size_t n) {
  const auto& t = kCrcTables;
  crc = ~crc;
  for (; n >= 16; n -= 16, p += 16) {
    const uint32_t a = Load32(p) ^ crc, b = Load32(p + 4), c = Load32(p + 8), d = Load32(p + 12);
    crc = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
          t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
          t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
          t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
  }
  for (; n > 0; --n) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

int32_t SumOfLanes(__m128i v) {
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
  return _mm_cvtsi128_si32(v);
}

// Continues `adler` (1 to start) over n more bytes, sixteen a step: per step, b grows by 16
// times a before it plus each byte weighted by 16 down to 1, and a by the bytes' sum.
uint32_t Adler32(uint32_t adler, const uint8_t* p, size_t n) {
  constexpr uint32_t kBase = 65521;
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
  const __m128i zero = _mm_setzero_si128();
  const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
  const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
  while (n > 0) {
    size_t k = std::min<size_t>(n, 5552);  // the most bytes before b could overflow
    n -= k;
    const size_t steps = k / 16;
    // Per lane: the byte sums before each step added up, the byte sums, the weighted bytes.
    __m128i sumsBefore = zero, sums = zero, weighted = zero;
    for (size_t i = 0; i < steps; ++i, p += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      sumsBefore = _mm_add_epi32(sumsBefore, sums);
      sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
      weighted = _mm_add_epi32(
          weighted, _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), firstWeights),
                                  _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), lastWeights)));
    }
    // Wrapping 32-bit sums: the true b stays below 2^32 over 5552 bytes.
    b += uint32_t(16 * steps) * a + 16 * uint32_t(SumOfLanes(sumsBefore)) +
         uint32_t(SumOfLanes(weighted));
    a += uint32_t(SumOfLanes(sums));
    for (k -= 16 * steps; k > 0; --k) a += *p++, b += a;
    a %= kBase, b %= kBase;
  }
  return b << 16 | a;
}

// ---- Bits, least significant first, into a buffer with eight bytes to spare at its end.

// 64 bits waiting to be written: in a general register on a 64-bit processor; on a 32-bit one
// in an SSE2 register, as a 64-bit shift of two general registers takes several instructions.
#if UINTPTR_MAX == UINT64_MAX
class PendingBits {
 public:
  void Add(uint32_t bits, unsigned at) { bits_ |= uint64_t(bits) << at; }
  void Store(uint8_t* out) const { std::memcpy(out, &bits_, 8); }  // little-endian, as we are
  void Drop(unsigned count) { bits_ >>= count; }

 private:
  uint64_t bits_ = 0;
};
#else
class PendingBits {
 public:
  void Add(uint32_t bits, unsigned at) {
    bits_ = _mm_or_si128(bits_, _mm_sll_epi64(_mm_cvtsi32_si128(int(bits)), Count(at)));
  }
  void Store(uint8_t* out) const { _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bits_); }
  void Drop(unsigned count) { bits_ = _mm_srl_epi64(bits_, Count(count)); }

 private:
  static __m128i Count(unsigned n) { return _mm_cvtsi32_si128(int(n)); }
  __m128i bits_ = _mm_setzero_si128();
};
#endif

class BitWriter {
 public:
  explicit BitWriter(uint8_t* out) : out_(out) {}
  void Put(uint32_t bits, unsigned count) {
    pending_.Add(bits, used_);
    used_ += count;
  }
  // A Huffman code packed as length << 16 | bit-reversed code.
  void PutCode(uint32_t packed) { Put(packed & 0xFFFF, packed >> 16); }
  // Writes the whole bytes out; fewer than 8 bits stay, so 56 more may be put before the next.
  void Flush() {
    pending_.Store(out_);
    const unsigned whole = used_ & ~7u;
    out_ += whole / 8;
    pending_.Drop(whole);
    used_ -= whole;
  }
  void AlignToByte() {
    used_ = (used_ + 7) & ~7u;
    Flush();
  }
  // The end of the bytes written whole; once aligned, where bytes may be copied in as they are.
  uint8_t* Position() const { return out_; }
  void Skip(size_t bytes) { out_ += bytes; }
  // Goes on at `out`; the bits not yet written whole go along.
  void MoveTo(uint8_t* out) { out_ = out; }

 private:
  uint8_t* out_;
  PendingBits pending_;
  unsigned used_ = 0;
};

// ---- Huffman codes.

constexpr int kLiteralSymbols = 286, kDistanceSymbols = 30, kLengthSymbols = 19;
constexpr int kEndOfBlock = 256;
// Deflate allows 15 bits; 14 let four literals go out between two flushes of 56 free bits.
constexpr int kLongestLiteralCode = 14;

// Code lengths of at most `limit` bits for the frequencies (0: no code). Two queues over the
// sorted leaves build the tree; when it is too deep the frequencies are halved and it is built
// again, which flattens it a little more each time.
void BuildLengths(const uint32_t* frequencies, int count, int limit, uint8_t* lengths) {
  std::array<uint32_t, kLiteralSymbols> weight;
  std::copy(frequencies, frequencies + count, weight.begin());
  std::fill(lengths, lengths + count, 0);
  std::array<uint16_t, kLiteralSymbols> leaves;
  int n = 0;
  for (int s = 0; s < count; ++s)
    if (weight[s]) leaves[n++] = uint16_t(s);
  if (n == 1) lengths[leaves[0]] = 1;
  if (n < 2) return;
  for (;;) {
    std::stable_sort(leaves.begin(), leaves.begin() + n,
                     [&](uint16_t a, uint16_t b) { return weight[a] < weight[b]; });
    // Nodes 0..n-1 are the leaves in order, n.. the inner nodes as they are made.
    std::array<uint64_t, 2 * kLiteralSymbols> nodeWeight;
    std::array<uint16_t, 2 * kLiteralSymbols> parent;
    for (int i = 0; i < n; ++i) nodeWeight[i] = weight[leaves[i]];
    int nextLeaf = 0, nextInner = n, made = n;
    auto take = [&] {
      const bool leaf =
          nextLeaf < n && (nextInner == made || nodeWeight[nextLeaf] <= nodeWeight[nextInner]);
      return leaf ? nextLeaf++ : nextInner++;
    };
    for (; made < 2 * n - 1; ++made) {
      const int a = take(), b = take();
      nodeWeight[made] = nodeWeight[a] + nodeWeight[b];
      parent[a] = parent[b] = uint16_t(made);
    }
    std::array<uint8_t, 2 * kLiteralSymbols> depth;
    depth[2 * n - 2] = 0;
    int deepest = 0;
    for (int i = 2 * n - 3; i >= 0; --i) {
      depth[i] = uint8_t(depth[parent[i]] + 1);
      deepest = std::max<int>(deepest, depth[i]);
    }
    if (deepest <= limit) {
      for (int i = 0; i < n; ++i) lengths[leaves[i]] = depth[i];
      return;
    }
    for (int i = 0; i < n; ++i) weight[leaves[i]] = (weight[leaves[i]] + 1) >> 1;
  }
}

// Canonical codes for the lengths, bit-reversed for writing least significant bit first, and
// packed with their length for BitWriter::PutCode.
void AssignCodes(const uint8_t* lengths, int count, uint32_t* packed) {
  int perLength[16] = {};
  for (int s = 0; s < count; ++s) ++perLength[lengths[s]];
  perLength[0] = 0;
  uint32_t next[16] = {};
  for (int bits = 1, code = 0; bits < 16; ++bits)
    next[bits] = code = (code + perLength[bits - 1]) << 1;
  for (int s = 0; s < count; ++s) {
    const int length = lengths[s];
    if (!length) {
      packed[s] = 0;
      continue;
    }
    const uint32_t code = next[length]++;
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1) << (length - 1 - i);
    packed[s] = uint32_t(length) << 16 | reversed;
  }
}

// Deflate wants at least two codes in a set, so that every code is complete.
void AtLeastTwoUsed(uint32_t* frequencies, int count) {
  int used = 0;
  for (int s = 0; s < count; ++s) used += frequencies[s] != 0;
  for (int s = 0; s < count && used < 2; ++s)
    if (!frequencies[s]) frequencies[s] = 1, ++used;
}

// ---- Deflate symbols for match lengths and distances.

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// Length - 3 to its symbol's index (symbol 257 + index).
constexpr auto kLengthIndex = [] {
  std::array<uint8_t, 256> index{};
  for (int i = 0, s = 0; i < 256; ++i) {
    while (s < 28 && kLengthBase[s + 1] <= i + 3) ++s;
    index[i] = uint8_t(s);
  }
  return index;
}();

// Distances 1..32768 in 30 symbols: two per power of two from 4 up, each with extra bits.
int DistanceSymbol(uint32_t distance) {
  const uint32_t d = distance - 1;
  if (d < 4) return int(d);
  const int top = int(std::bit_width(d)) - 1;
  return 2 * top + int((d >> (top - 1)) & 1);
}
int DistanceExtra(int symbol) {
  return symbol < 4 ? 0 : symbol / 2 - 1;
}
uint32_t DistanceBase(int symbol) {
  return symbol < 4 ? uint32_t(symbol) + 1 : ((2u | (symbol & 1)) << DistanceExtra(symbol)) + 1;
}

// The fixed code of deflate block type 1.
struct FixedCodes {
  uint8_t literalLengths[288];
  uint32_t literal[288], distance[kDistanceSymbols];
  FixedCodes() {
    for (int s = 0; s < 288; ++s) literalLengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    AssignCodes(literalLengths, 288, literal);
    uint8_t distanceLengths[kDistanceSymbols];
    std::fill(distanceLengths, distanceLengths + kDistanceSymbols, 5);
    AssignCodes(distanceLengths, kDistanceSymbols, distance);
  }
};

// ---- LZ77 for screens: greedy, one hash table of the last place of every 8 bytes, and a
// look at the byte before for runs. Flat areas and repeated rows, zeros once filtered, become
// matches of the full 258 bytes at distance 1, the cheapest code there is; where nothing
// matches (photographs) the search steps further each time, so noise costs little more than
// its Huffman codes. Matches shorter than 8 bytes are not looked for: on screens they are
// rare, in noise they cost more time than they save bytes.

constexpr uint32_t kWindow = 32768;
constexpr size_t kMinMatch = 8, kMaxMatch = 258, kBlockBytes = 1 << 17;
constexpr int kHashBits = 14, kSkipShift = 4;
// Enough data after a block's start for the block and its last match.
constexpr size_t kBlockReach = kBlockBytes + kMaxMatch + kMinMatch;

struct Sequence {
  uint32_t literals;  // bytes copied as they are, before the match
  uint16_t length;    // 0: none (the block's last sequence)
  uint16_t distance;
};

size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t most) {
  size_t n = 0;
  for (; n + 8 <= most; n += 8) {
    const uint64_t differ = Load64(a + n) ^ Load64(b + n);
    if (differ) return n + (std::countr_zero(differ) >> 3);
  }
  while (n < most && a[n] == b[n]) ++n;
  return n;
}

// A zlib stream of the rows handed to it, compressed a block at a time while they are still
// in the cache. It keeps the last 32 KB of what it compressed for matches to reach back to.
class Deflater {
 public:
  bool Allocate(size_t rowBytes) {
    capacity_ = kWindow + 2 * kBlockReach + rowBytes;
    window_.reset(new (std::nothrow) uint8_t[capacity_]);
    table_.reset(new (std::nothrow) uint32_t[size_t(1) << kHashBits]());
    sequences_.reset(new (std::nothrow) Sequence[kBlockBytes / kMinMatch + 2]);
    return window_ && table_ && sequences_;
  }
  // The most bytes one call of Compress adds, rows of `rowBytes` being handed over one by one.
  static size_t MostOutput(size_t rowBytes) {
    const size_t input = kBlockReach + rowBytes;
    return input + input / 1024 + 64;  // stored blocks at worst, with their headers
  }

  // Starts the stream at `out`.
  void Begin(uint8_t* out) {
    out[0] = 0x78, out[1] = 0x01;  // deflate, 32 KB window, fastest; header check 31
    bits_ = BitWriter(out + 2);
  }
  // Goes on writing at `out`, once the caller has taken what was written.
  void MoveOutput(uint8_t* out) { bits_.MoveTo(out); }
  // Room for the next `bytes` of data; the caller fills it and calls Compress.
  uint8_t* Append(size_t bytes) {
    if (filled_ + bytes > capacity_) {
      const size_t keep = start_ - std::min<size_t>(start_, kWindow);
      std::memmove(window_.get(), window_.get() + keep, filled_ - keep);
      base_ += keep, start_ -= keep, filled_ -= keep;
    }
    filled_ += bytes;
    return window_.get() + filled_ - bytes;
  }
  // Compresses every block that has data enough after it; with `last`, all of the data, and
  // ends the stream. Returns the end of the bytes written whole.
  uint8_t* Compress(bool last) {
    const uint8_t* data = window_.get();
    while (last ? start_ < filled_ : filled_ - start_ >= kBlockReach) {
      const size_t end = Parse(data, filled_, start_);
      WriteBlock(data, start_, end, last && end == filled_, bits_);
      adler_ = Adler32(adler_, data + start_, end - start_);
      start_ = end;
    }
    if (!last) return bits_.Position();
    bits_.AlignToByte();
    uint8_t* tail = bits_.Position();
    Store32BigEndian(tail, adler_);
    return tail + 4;
  }

 private:
  static uint32_t Hash(uint64_t v) {
    return uint32_t((v * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits));
  }

  void Add(const uint8_t* data, size_t literalStart, size_t literals, size_t length,
           size_t distance) {
    const uint8_t* p = data + literalStart;
    // Four tables, so that runs of one byte do not wait on their own last increment.
    size_t i = 0;
    for (; i + 4 <= literals; i += 4)
      ++byteCounts_[0][p[i]], ++byteCounts_[1][p[i + 1]], ++byteCounts_[2][p[i + 2]],
          ++byteCounts_[3][p[i + 3]];
    for (; i < literals; ++i) ++byteCounts_[0][p[i]];
    if (length) {
      ++literalCounts_[257 + kLengthIndex[length - 3]];
      ++distanceCounts_[DistanceSymbol(uint32_t(distance))];
    }
    sequences_[count_++] = {uint32_t(literals), uint16_t(length), uint16_t(distance)};
  }

  // Parses one block of data[start, size) into sequences; returns where the block ends. The
  // hash table holds places in the whole stream, base_ + a place in the window.
  size_t Parse(const uint8_t* data, size_t size, size_t start) {
    std::fill(std::begin(literalCounts_), std::end(literalCounts_), 0);
    std::fill(&byteCounts_[0][0], &byteCounts_[0][0] + 4 * 256, 0);
    std::fill(std::begin(distanceCounts_), std::end(distanceCounts_), 0);
    count_ = 0;
    const size_t limit = std::min(size, start + kBlockBytes);
    const size_t matchEnd = size >= kMinMatch ? size - kMinMatch + 1 : 0;
    uint32_t* table = table_.get();
    size_t p = start, anchor = start;
    uint32_t misses = 0;
    while (p < limit && p < matchEnd) {
      const uint64_t v = Load64(data + p);
      uint32_t& slot = table[Hash(v)];
      const uint32_t here = uint32_t(base_ + p), distance = here - slot;
      slot = here;
      const size_t most = std::min(kMaxMatch, size - p) - kMinMatch;
      size_t length = 0, from = 0;
      if (distance - 1 < kWindow && Load64(data + p - distance) == v) {
        from = p - distance;
        length = kMinMatch + MatchLength(data + from + kMinMatch, data + p + kMinMatch, most);
      }
      if (p > 0 && Load64(data + p - 1) == v) {
        const size_t run =
            kMinMatch + MatchLength(data + p - 1 + kMinMatch, data + p + kMinMatch, most);
        if (run >= length) length = run, from = p - 1;
      }
      if (!length) {
        p += 1 + (misses++ >> kSkipShift);
        continue;
      }
      // A skipping search may have passed the true start.
      while (p > anchor && from > 0 && length < kMaxMatch && data[p - 1] == data[from - 1])
        --p, --from, ++length;
      Add(data, anchor, p - anchor, length, p - from);
      p += length;
      anchor = p;
      misses = 0;
    }
    size_t end = std::min(p, size);
    if (end >= matchEnd) end = size;  // too few bytes left for a match
    if (end > anchor) Add(data, anchor, end - anchor, 0, 0);
    return end;
  }

  void WriteBlock(const uint8_t* data, size_t start, size_t end, bool last, BitWriter& bits) {
    for (int b = 0; b < 256; ++b)
      literalCounts_[b] =
          byteCounts_[0][b] + byteCounts_[1][b] + byteCounts_[2][b] + byteCounts_[3][b];
    literalCounts_[kEndOfBlock] = 1;
    uint64_t extra = 0;
    for (int i = 0; i < 29; ++i) extra += uint64_t(literalCounts_[257 + i]) * kLengthExtra[i];
    for (int s = 0; s < kDistanceSymbols; ++s)
      extra += uint64_t(distanceCounts_[s]) * DistanceExtra(s);

    static const FixedCodes fixed;
    uint64_t fixedBits = 3 + extra;
    for (int s = 0; s < kLiteralSymbols; ++s)
      fixedBits += uint64_t(literalCounts_[s]) * fixed.literalLengths[s];
    for (int s = 0; s < kDistanceSymbols; ++s) fixedBits += uint64_t(distanceCounts_[s]) * 5;

    DynamicHeader header;
    const uint64_t dynamicBits = PlanDynamic(header) + extra;
    const size_t bytes = end - start;
    const uint64_t storedBits = (bytes + 65534) / 65535 * 42 + uint64_t(bytes) * 8;

    if (storedBits < std::min(fixedBits, dynamicBits)) {
      WriteStored(data + start, bytes, last, bits);
    } else if (fixedBits <= dynamicBits) {
      bits.Put(last, 1);
      bits.Put(1, 2);
      WriteSequences(data + start, fixed.literal, fixed.distance, bits);
    } else {
      bits.Put(last, 1);
      bits.Put(2, 2);
      WriteHeader(header, bits);
      WriteSequences(data + start, literalCode_, distanceCode_, bits);
    }
  }

  struct DynamicHeader {
    int literals, distances, lengthCodes;
    uint8_t lengthLengths[kLengthSymbols];
    uint32_t lengthCode[kLengthSymbols];
    int items;
    uint8_t item[kLiteralSymbols + kDistanceSymbols], itemExtra[kLiteralSymbols + kDistanceSymbols];
  };
  static constexpr uint8_t kLengthOrder[kLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                           11, 4,  12, 3, 13, 2, 14, 1, 15};

  // Builds this block's codes and the header that describes them; returns the bits of both.
  uint64_t PlanDynamic(DynamicHeader& h) {
    uint32_t literalCounts[kLiteralSymbols], distanceCounts[kDistanceSymbols];
    std::copy(std::begin(literalCounts_), std::end(literalCounts_), literalCounts);
    std::copy(std::begin(distanceCounts_), std::end(distanceCounts_), distanceCounts);
    AtLeastTwoUsed(literalCounts, kLiteralSymbols);
    AtLeastTwoUsed(distanceCounts, kDistanceSymbols);
    uint8_t lengths[kLiteralSymbols + kDistanceSymbols];
    BuildLengths(literalCounts, kLiteralSymbols, kLongestLiteralCode, lengths);
    uint8_t* distanceLengths = lengths + kLiteralSymbols;
    BuildLengths(distanceCounts, kDistanceSymbols, 15, distanceLengths);
    AssignCodes(lengths, kLiteralSymbols, literalCode_);
    AssignCodes(distanceLengths, kDistanceSymbols, distanceCode_);
    uint64_t total = 0;
    for (int s = 0; s < kLiteralSymbols; ++s) total += uint64_t(literalCounts_[s]) * lengths[s];
    for (int s = 0; s < kDistanceSymbols; ++s)
      total += uint64_t(distanceCounts_[s]) * distanceLengths[s];

    h.literals = kLiteralSymbols;
    while (lengths[h.literals - 1] == 0) --h.literals;
    h.distances = kDistanceSymbols;
    while (distanceLengths[h.distances - 1] == 0) --h.distances;
    // The two length lists, run-length coded: 16 repeats the last length 3..6 times, 17 and
    // 18 write 3..10 and 11..138 zeros.
    uint8_t all[kLiteralSymbols + kDistanceSymbols];
    const int n = h.literals + h.distances;
    std::copy(lengths, lengths + h.literals, all);
    std::copy(distanceLengths, distanceLengths + h.distances, all + h.literals);
    h.items = 0;
    auto item = [&](int symbol, int extra) {
      h.item[h.items] = uint8_t(symbol), h.itemExtra[h.items++] = uint8_t(extra);
    };
    for (int i = 0; i < n;) {
      int run = 1;
      while (i + run < n && all[i + run] == all[i]) ++run;
      i += run;
      if (all[i - run] == 0) {
        for (; run >= 11; run -= std::min(run, 138)) item(18, std::min(run, 138) - 11);
        if (run >= 3) item(17, run - 3), run = 0;
      } else {
        item(all[i - run], 0), --run;
        for (; run >= 3; run -= std::min(run, 6)) item(16, std::min(run, 6) - 3);
      }
      for (; run > 0; --run) item(all[i - run], 0);
    }
    uint32_t lengthCounts[kLengthSymbols] = {};
    for (int i = 0; i < h.items; ++i) ++lengthCounts[h.item[i]];
    AtLeastTwoUsed(lengthCounts, kLengthSymbols);
    BuildLengths(lengthCounts, kLengthSymbols, 7, h.lengthLengths);
    AssignCodes(h.lengthLengths, kLengthSymbols, h.lengthCode);
    h.lengthCodes = kLengthSymbols;
    while (h.lengthCodes > 4 && h.lengthLengths[kLengthOrder[h.lengthCodes - 1]] == 0)
      --h.lengthCodes;
    total += 3 + 5 + 5 + 4 + 3 * uint64_t(h.lengthCodes);
    for (int i = 0; i < h.items; ++i) {
      const int s = h.item[i];
      total += h.lengthLengths[s] + (s == 16 ? 2 : s == 17 ? 3 : s == 18 ? 7 : 0);
    }
    return total;
  }

  void WriteHeader(const DynamicHeader& h, BitWriter& bits) {
    bits.Put(h.literals - 257, 5);
    bits.Put(h.distances - 1, 5);
    bits.Put(h.lengthCodes - 4, 4);
    bits.Flush();
    for (int i = 0; i < h.lengthCodes; ++i) {
      bits.Put(h.lengthLengths[kLengthOrder[i]], 3);
      bits.Flush();
    }
    for (int i = 0; i < h.items; ++i) {
      const int s = h.item[i];
      bits.PutCode(h.lengthCode[s]);
      if (s >= 16) bits.Put(h.itemExtra[i], s == 16 ? 2 : s == 17 ? 3 : 7);
      bits.Flush();
    }
  }

  void WriteSequences(const uint8_t* p, const uint32_t* literal, const uint32_t* distance,
                      BitWriter& writer) {
    // A copy the compiler can keep in registers: the byte stores could alias the original.
    BitWriter bits = writer;
    for (size_t i = 0; i < count_; ++i) {
      const Sequence& s = sequences_[i];
      size_t k = 0;
      for (; k + 4 <= s.literals; k += 4) {
        bits.PutCode(literal[p[k]]);
        bits.PutCode(literal[p[k + 1]]);
        bits.PutCode(literal[p[k + 2]]);
        bits.PutCode(literal[p[k + 3]]);
        bits.Flush();
      }
      for (; k < s.literals; ++k) bits.PutCode(literal[p[k]]);
      bits.Flush();
      p += s.literals;
      if (!s.length) continue;
      const int index = kLengthIndex[s.length - 3];
      bits.PutCode(literal[257 + index]);
      bits.Put(s.length - kLengthBase[index], kLengthExtra[index]);
      const int symbol = DistanceSymbol(s.distance);
      bits.PutCode(distance[symbol]);
      bits.Put(s.distance - DistanceBase(symbol), DistanceExtra(symbol));
      bits.Flush();
      p += s.length;
    }
    bits.PutCode(literal[kEndOfBlock]);
    bits.Flush();
    writer = bits;
  }

  static void WriteStored(const uint8_t* p, size_t bytes, bool last, BitWriter& bits) {
    do {
      const size_t chunk = std::min<size_t>(bytes, 65535);
      bits.Put(last && chunk == bytes, 1);
      bits.Put(0, 2);
      bits.AlignToByte();
      uint8_t* out = bits.Position();
      out[0] = uint8_t(chunk), out[1] = uint8_t(chunk >> 8);
      out[2] = uint8_t(~chunk), out[3] = uint8_t(~chunk >> 8);
      std::memcpy(out + 4, p, chunk);
      bits.Skip(4 + chunk);
      p += chunk, bytes -= chunk;
    } while (bytes > 0);
  }

  BitWriter bits_{nullptr};
  uint32_t adler_ = 1;
  std::unique_ptr<uint8_t[]> window_;
  size_t capacity_ = 0, filled_ = 0, start_ = 0;  // start_: of the next block
  size_t base_ = 0;                               // the stream's place of window_[0]
  std::unique_ptr<uint32_t[]> table_;
  std::unique_ptr<Sequence[]> sequences_;
  size_t count_ = 0;
  uint32_t byteCounts_[4][256];
  uint32_t literalCounts_[kLiteralSymbols], distanceCounts_[kDistanceSymbols];
  uint32_t literalCode_[kLiteralSymbols], distanceCode_[kDistanceSymbols];
};

// ---- Row filters. Every row has 3 zero bytes before it: the pixel left of its first one.

enum Filter : uint8_t { kSub = 1, kUp = 2, kPaeth = 4 };  // the filter byte of the row

// In 16-bit arithmetic, which the compiler vectorises twice as wide as int.
int16_t Magnitude16(int16_t v) {
  return v < 0 ? int16_t(-v) : v;
}
uint8_t PaethPredictor(uint8_t a, uint8_t b, uint8_t c) {
  const int16_t pa = Magnitude16(int16_t(b - c)), pb = Magnitude16(int16_t(a - c)),
                pc = Magnitude16(int16_t(a + b - 2 * c));
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

template <Filter F>
uint8_t Prediction(const uint8_t* cur, const uint8_t* prev, size_t i) {
  const uint8_t *left = cur - 3, *upLeft = prev - 3;
  if constexpr (F == kSub) return left[i];
  if constexpr (F == kUp) return prev[i];
  if constexpr (F == kPaeth) return PaethPredictor(left[i], prev[i], upLeft[i]);
}

// The sum of the filtered bytes' magnitudes as signed bytes, the usual estimate of how well a
// filter suits a row, over 32 bytes of every 256: enough to choose by, at an eighth of the cost.
template <Filter F>
uint32_t SampledMagnitude(const uint8_t* cur, const uint8_t* prev, size_t n) {
  uint32_t sum = 0;
  for (size_t at = 0; at < n; at += 256) {
    const size_t end = std::min(n, at + 32);
    for (size_t i = at; i < end; ++i) {
      const uint8_t d = uint8_t(cur[i] - Prediction<F>(cur, prev, i));
      sum += std::min(d, uint8_t(-d));
    }
  }
  return sum;
}

template <Filter F>
void ApplyFilter(const uint8_t* cur, const uint8_t* prev, size_t n, uint8_t* out) {
  for (size_t i = 0; i < n; ++i) out[i] = uint8_t(cur[i] - Prediction<F>(cur, prev, i));
}

// Writes the filter byte and the row `cur` filtered, `prev` being the row above. Up, unless
// Sub or Paeth leaves less than half as much: on screens Up turns repeated rows and flat areas
// into zeros that the deflate takes in the longest matches, where the others, though smaller
// by the estimate, leave fewer matches (measured); Paeth suits photographs.
void FilterRow(const uint8_t* cur, const uint8_t* prev, size_t n, uint8_t* out) {
  Filter best = kUp;
  uint32_t least = SampledMagnitude<kUp>(cur, prev, n);
  if (const uint32_t sub = 2 * SampledMagnitude<kSub>(cur, prev, n); sub < least)
    best = kSub, least = sub;
  if (2 * SampledMagnitude<kPaeth>(cur, prev, n) < least) best = kPaeth;
  out[0] = best;
  if (best == kSub) ApplyFilter<kSub>(cur, prev, n, out + 1);
  if (best == kUp) ApplyFilter<kUp>(cur, prev, n, out + 1);
  if (best == kPaeth) ApplyFilter<kPaeth>(cur, prev, n, out + 1);
}

bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8)
    if (Load64(a + i) != Load64(b + i)) return false;
  for (; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Blue, green, red, unused in; red, green, blue out, the 4th byte of each store overwritten by
// the next pixel's (or by the spare byte after the row).
void ConvertRow(const uint8_t* pixel, size_t width, uint8_t* out) {
  for (size_t x = 0; x < width; ++x, pixel += 4) {
    // The bytes reversed (the compiler makes one instruction of it), then shifted down.
    const uint32_t v = Load32(pixel);
    const uint32_t rgb = ((v >> 24) | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | (v << 24)) >> 8;
    std::memcpy(out + 3 * x, &rgb, 4);
  }
}

// Completes the chunk whose data is already at `at` + 8 (length and type before it, its CRC
// after it) and writes it.
bool WriteChunk(uint8_t* at, const char* type, size_t dataBytes, const PngWrite& write) {
  Store32BigEndian(at, uint32_t(dataBytes));
  std::memcpy(at + 4, type, 4);
  Store32BigEndian(at + 8 + dataBytes, Crc32(0, at + 4, dataBytes + 4));
  return write(at, 12 + dataBytes);
}

}  // namespace

PngStatus WritePng(const PngSource& source, const PngWrite& write) {
  if (source.width <= 0 || source.height <= 0 || source.width > 0x7FFFFFFF / 4)
    return PngStatus::kOutOfMemory;
  const size_t width = size_t(source.width), height = size_t(source.height);
  const size_t rowBytes = width * 3;
  // Two rows, each with 3 zero bytes before it (the pixel left of the first one) and one
  // spare byte after it, which the conversion's 4-byte stores overwrite.
  const size_t rowSlot = 3 + rowBytes + 1;
  std::unique_ptr<uint8_t[]> rows(new (std::nothrow) uint8_t[2 * rowSlot]());
  // The data chunks go out at about this size, each from the same buffer, still in the cache.
  constexpr size_t kChunkData = 1 << 18, kChunkOverhead = 12;
  std::unique_ptr<uint8_t[]> chunk(
      new (std::nothrow) uint8_t[kChunkOverhead + kChunkData + Deflater::MostOutput(rowBytes + 1)]);
  Deflater deflater;
  if (!rows || !chunk || !deflater.Allocate(rowBytes + 1)) return PngStatus::kOutOfMemory;

  uint8_t head[8 + kChunkOverhead + 13] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint8_t* header = head + 8 + 8;
  Store32BigEndian(header, uint32_t(width));
  Store32BigEndian(header + 4, uint32_t(height));
  header[8] = 8, header[9] = 2;              // 8 bits per channel, RGB
  header[10] = header[11] = header[12] = 0;  // deflate, adaptive filters, not interlaced
  if (!write(head, 8) || !WriteChunk(head + 8, "IHDR", 13, write)) return PngStatus::kWriteFailed;

  uint8_t* data = chunk.get() + 8;
  deflater.Begin(data);
  uint8_t* prev = rows.get() + 3;
  uint8_t* cur = prev + rowSlot;
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* pixel = source.pixels + ptrdiff_t(y) * source.stride;
    uint8_t* out = deflater.Append(rowBytes + 1);
    if (y > 0 && SameBytes(pixel, pixel - source.stride, width * 4)) {
      // A row like the one above, which stays `prev`: Up, all zeros.
      out[0] = kUp;
      std::memset(out + 1, 0, rowBytes);
    } else {
      ConvertRow(pixel, width, cur);
      FilterRow(cur, prev, rowBytes, out);
      std::swap(prev, cur);
    }
    const bool last = y + 1 == height;
    const size_t written = size_t(deflater.Compress(last) - data);
    if (last || written >= kChunkData) {
      if (!WriteChunk(chunk.get(), "IDAT", written, write)) return PngStatus::kWriteFailed;
      deflater.MoveOutput(data);
    }
  }
  uint8_t end[kChunkOverhead];
  return WriteChunk(end, "IEND", 0, write) ? PngStatus::kWritten : PngStatus::kWriteFailed;
}

}  // namespace kx
