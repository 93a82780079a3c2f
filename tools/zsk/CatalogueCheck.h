#pragma once

#include <string>
#include <vector>

#include "skin/reader/Sk2File.h"

namespace zsk {

// How a skin's elements meet the catalogue the engine reads them by: for each of the four
// groups how many of its names the skin holds with the right kind, which catalogue names it
// lacks, and which of its elements no catalogue name reaches (names compared ignoring case).
struct CatalogueCoverage {
  struct Group {
    const char* title;
    int present;
    int count;
  };
  std::vector<Group> groups;
  std::vector<std::string> missing;
  std::vector<std::string> uncatalogued;
};

CatalogueCoverage CheckCatalogue(const std::vector<skin::Sk2Element>& elements);
// The coverage as lines for `zsk info`.
std::vector<std::string> DescribeCoverage(const CatalogueCoverage& coverage);

}  // namespace zsk
