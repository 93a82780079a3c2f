#include "tools/skinart/Glyphs.h"

#include <algorithm>

namespace skinart::glyphs {

const Pattern kClose = {
    "##....##",  //
    "###..###",  //
    ".######.",  //
    "..####..",  //
    "..####..",  //
    ".######.",  //
    "###..###",  //
    "##....##",  //
};

const Pattern kMaximize = {
    "########",  //
    "########",  //
    "#......#",  //
    "#......#",  //
    "#......#",  //
    "#......#",  //
    "#......#",  //
    "########",  //
};

const Pattern kRestore = {
    "..######",  //
    "..######",  //
    "..#....#",  //
    "######.#",  //
    "######.#",  //
    "#....###",  //
    "#....#..",  //
    "######..",  //
};

const Pattern kMinimize = {
    "........",  //
    "........",  //
    "........",  //
    "........",  //
    "........",  //
    "........",  //
    ".######.",  //
    ".######.",  //
};

const Pattern kHelp = {
    "..####..",  //
    ".##..##.",  //
    ".....##.",  //
    "....##..",  //
    "...##...",  //
    "...##...",  //
    "........",  //
    "...##...",  //
};

const Pattern kCheck = {
    ".......#",  //
    "......##",  //
    "#....###",  //
    "##..###.",  //
    "######..",  //
    ".####...",  //
    "..##....",  //
};

const Pattern kSmallCheck = {
    ".....#",  //
    "#...##",  //
    "##.##.",  //
    ".###..",  //
    "..#...",  //
};

const Pattern kArrowUp = {
    "...#...",  //
    "..###..",  //
    ".#####.",  //
    "#######",  //
};

const Pattern kSmallArrowUp = {
    "..#..",  //
    ".###.",  //
    "#####",  //
};

const Pattern kGrip = {
    "######",  //
    "......",  //
    "######",  //
    "......",  //
    "######",  //
};

Pattern FlipVertical(const Pattern& pattern) {
  return Pattern(pattern.rbegin(), pattern.rend());
}

Pattern FlipHorizontal(const Pattern& pattern) {
  Pattern flipped = pattern;
  for (std::string& row : flipped) std::reverse(row.begin(), row.end());
  return flipped;
}

Pattern Transpose(const Pattern& pattern) {
  Pattern turned(PatternWidth(pattern), std::string(PatternHeight(pattern), '.'));
  for (int y = 0; y < PatternHeight(pattern); ++y) {
    for (int x = 0; x < PatternWidth(pattern); ++x) turned[x][y] = pattern[y][x];
  }
  return turned;
}

}  // namespace skinart::glyphs
