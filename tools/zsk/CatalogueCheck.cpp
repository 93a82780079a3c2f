#include "tools/zsk/CatalogueCheck.h"

#include <algorithm>

#include "skin/reader/Skin2Define.h"
#include "toolkit/core/SysUtils.h"

namespace zsk {

namespace {

struct GroupShape {
  const char* title;
  int first;
  int count;
  skin::Sk2Kind kind;  // colours are stored as integers
};

constexpr GroupShape kGroups[] = {
    {"colours", skin::kSkin2ColorFirst, skin::kSkin2ColorCount, skin::skInteger},
    {"bitmaps", skin::kSkin2BitmapFirst, skin::kSkin2BitmapCount, skin::skBitmap},
    {"integers", skin::kSkin2IntegerFirst, skin::kSkin2IntegerCount, skin::skInteger},
    {"booleans", skin::kSkin2BooleanFirst, skin::kSkin2BooleanCount, skin::skBoolean},
};

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

}  // namespace

CatalogueCoverage CheckCatalogue(const std::vector<skin::Sk2Element>& elements) {
  CatalogueCoverage coverage;
  std::vector<bool> reached(elements.size(), false);
  for (const GroupShape& group : kGroups) {
    int present = 0;
    for (int i = 0; i < group.count; ++i) {
      const std::string name(skin::Skin2Name(group.first + i));
      const auto found = std::find_if(elements.begin(), elements.end(), [&](const auto& e) {
        return e.kind == group.kind && tk::SameText(e.name, name);
      });
      if (found == elements.end()) {
        coverage.missing.push_back(name);
        continue;
      }
      ++present;
      reached[static_cast<std::size_t>(found - elements.begin())] = true;
    }
    coverage.groups.push_back({group.title, present, group.count});
  }
  for (std::size_t i = 0; i < elements.size(); ++i)
    if (!reached[i]) coverage.uncatalogued.push_back(elements[i].name);
  return coverage;
}

std::vector<std::string> DescribeCoverage(const CatalogueCoverage& coverage) {
  std::string counts = "catalogue:";
  for (const CatalogueCoverage::Group& group : coverage.groups)
    counts += std::string(counts.back() == ':' ? " " : ", ") + group.title + " " +
              std::to_string(group.present) + "/" + std::to_string(group.count);
  std::vector<std::string> lines = {counts};
  if (!coverage.missing.empty()) lines.push_back("not in the skin: " + Joined(coverage.missing));
  if (!coverage.uncatalogued.empty())
    lines.push_back("not in the catalogue: " + Joined(coverage.uncatalogued));
  return lines;
}

}  // namespace zsk
