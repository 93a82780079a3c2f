#include <iostream>
#include <string>
#include <vector>

#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "tools/skinart/Sheet.h"
#include "tools/skinart/Skins.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: skinart draw NAME DIR      draw the skin NAME into the skin folder DIR\n"
    "       skinart sheet DIR OUT.bmp  lay every bitmap of the skin folder DIR on one picture\n"
    "Skins: default, dark, light.\n";

int DrawSkin(const std::string& name, const std::string& folder) {
  for (const skinart::SkinDesign& design : skinart::AllSkins()) {
    if (design.name != name) continue;
    skinart::Draw(design).Write(folder);
    return 0;
  }
  std::cerr << "skinart: no skin named " << name << "\n" << kUsage;
  return kExitUsage;
}

int WriteSheet(const std::string& folder, const std::string& output) {
  const skinart::Picture sheet = skinart::RenderSheet(folder);
  tk::TFileStream file(output, tk::fmCreate);
  sheet.SaveToStream(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  constexpr std::size_t kArgs = 3;
  if (args.size() != kArgs || (args[0] != "draw" && args[0] != "sheet")) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  try {
    return args[0] == "draw" ? DrawSkin(args[1], args[2]) : WriteSheet(args[1], args[2]);
  } catch (const std::exception& error) {
    std::cerr << "skinart: " << error.what() << "\n";
    return kExitFailure;
  }
}
