#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/DeflateTables.h"
#include "skin/reader/HuffmanTree.h"

namespace {

using skin::THuffmanTree;

std::uint32_t Reverse(std::uint32_t code, int n) {
  std::uint32_t r = 0;
  for (int i = 0; i < n; ++i) r |= ((code >> i) & 1) << (n - 1 - i);
  return r;
}

// The worked example of canonical codes: lengths (3,3,3,3,3,2,4,4) for symbols A..H give
// F=00, A=010, B=011, C=100, D=101, E=110, G=1110, H=1111.
TEST(HuffmanTree, CanonicalCodesAreStoredBitReversedAtEveryMatchingIndex) {
  const std::vector<std::uint8_t> lengths = {9, 3, 3, 3, 3, 3, 2, 4, 4};  // first is skipped
  const std::uint8_t extra[] = {7, 5};                                    // symbols 6 and 7
  THuffmanTree tree(15);
  tree.BuildTable(lengths.data(), 1, 8, 6, extra);
  EXPECT_EQ(tree.LongestLength(), 4);

  struct Code {
    std::uint32_t symbol, bits;
    int length;
    std::uint32_t extra;
  };
  const Code codes[] = {{5, 0b00, 2, 0},  {0, 0b010, 3, 0}, {1, 0b011, 3, 0},  {2, 0b100, 3, 0},
                        {3, 0b101, 3, 0}, {4, 0b110, 3, 0}, {6, 0b1110, 4, 7}, {7, 0b1111, 4, 5}};
  for (const Code& c : codes) {
    for (std::uint32_t high = 0; high < (1u << (4 - c.length)); ++high) {
      const std::uint32_t index = Reverse(c.bits, c.length) | (high << c.length);
      const std::uint32_t entry = tree.Lookup(index);
      EXPECT_EQ(THuffmanTree::Symbol(entry), c.symbol) << "index " << index;
      EXPECT_EQ(THuffmanTree::CodeLength(entry), static_cast<std::uint32_t>(c.length));
      EXPECT_EQ(THuffmanTree::ExtraBits(entry), c.extra);
    }
  }
}

TEST(HuffmanTree, IncompleteCodeLeavesUnfilledEntriesAndEmptyCodeHasOneEntry) {
  const std::uint8_t lengths[] = {0, 2, 0, 2};
  THuffmanTree tree(15);
  tree.BuildTable(lengths, 0, 4, THuffmanTree::kNoExtraSymbols, nullptr);
  EXPECT_EQ(tree.LongestLength(), 2);
  EXPECT_EQ(THuffmanTree::Symbol(tree.Lookup(0b00)), 1u);
  EXPECT_EQ(THuffmanTree::Symbol(tree.Lookup(0b10)), 3u);  // code 01 reversed
  EXPECT_EQ(tree.Lookup(0b01), THuffmanTree::kUnfilled);
  EXPECT_EQ(tree.Lookup(0b11), THuffmanTree::kUnfilled);

  const std::uint8_t none[] = {0, 0, 0};
  tree.BuildTable(none, 0, 3, THuffmanTree::kNoExtraSymbols, nullptr);
  EXPECT_EQ(tree.LongestLength(), 0);
  EXPECT_EQ(tree.Lookup(0x12345), THuffmanTree::kUnfilled);
}

TEST(HuffmanTree, RebuildingASmallerCodeReusesTheTableWithoutStaleEntries) {
  std::vector<std::uint8_t> wide(16, 4);
  THuffmanTree tree(15);
  tree.BuildTable(wide.data(), 0, 16, THuffmanTree::kNoExtraSymbols, nullptr);
  const std::uint8_t narrow[] = {1};
  tree.BuildTable(narrow, 0, 1, THuffmanTree::kNoExtraSymbols, nullptr);
  EXPECT_EQ(tree.LongestLength(), 1);
  EXPECT_EQ(THuffmanTree::Symbol(tree.Lookup(0)), 0u);
  EXPECT_EQ(tree.Lookup(1), THuffmanTree::kUnfilled);
  EXPECT_EQ(tree.Lookup(0xFFFE), tree.Lookup(0));  // only the low L bits index
}

TEST(HuffmanTree, FixedCodesMatchTheirDefinition) {
  const THuffmanTree& literals = skin::FixedLiteralTree();
  const THuffmanTree& distances = skin::FixedDistanceTree();
  EXPECT_EQ(literals.LongestLength(), 9);
  EXPECT_EQ(distances.LongestLength(), 5);

  struct Probe {
    std::uint32_t code;
    int length;
    std::uint32_t symbol, extra;
  };
  const Probe probes[] = {{0x30, 8, 0, 0},    {0xBF, 8, 143, 0}, {0x190, 9, 144, 0},
                          {0x1FF, 9, 255, 0}, {0x00, 7, 256, 0}, {0x01, 7, 257, 0},
                          {0x09, 7, 265, 1},  {0x17, 7, 279, 4}, {0xC0, 8, 280, 4},
                          {0xC5, 8, 285, 0},  {0xC6, 8, 286, 0}, {0xC7, 8, 287, 0}};
  for (const Probe& p : probes) {
    const std::uint32_t entry = literals.Lookup(Reverse(p.code, p.length));
    EXPECT_EQ(THuffmanTree::Symbol(entry), p.symbol);
    EXPECT_EQ(THuffmanTree::CodeLength(entry), static_cast<std::uint32_t>(p.length));
    EXPECT_EQ(THuffmanTree::ExtraBits(entry), p.extra) << "symbol " << p.symbol;
  }
  for (std::uint32_t symbol = 0; symbol < 32; ++symbol) {
    const std::uint32_t entry = distances.Lookup(Reverse(symbol, 5));
    EXPECT_EQ(THuffmanTree::Symbol(entry), symbol);
    EXPECT_EQ(THuffmanTree::ExtraBits(entry), skin::kDistanceExtraBits[symbol]);
  }
}

}  // namespace
