#pragma once

#include <string>
#include <vector>

namespace skin {
class TzubSkinEngine;
}

namespace orv {

// The resource that holds a copy of the skin stored with the main form, so that the program
// can go back to it after showing another one.
inline constexpr const char* kBuiltInSkinResource = "DEFAULTSKIN";

// The skins the user steps through: the built-in one first, then every ".zsk" package in the
// executable's folder, by name.
class TSkinChoice {
 public:
  struct TSkin {
    std::string Name;
    // Empty for the built-in skin.
    std::string FileName;
  };

  // The built-in skin followed by the packages of folder (which ends in a backslash).
  explicit TSkinChoice(const std::string& folder);

  const std::vector<TSkin>& Skins() const { return skins_; }
  const TSkin& Current() const { return skins_[current_]; }

  // Moves on to the next skin (after the last comes the built-in one) and gives it to engine.
  // A package the engine cannot read raises its exception; the choice has moved on all the
  // same, so the next step goes past it.
  void Next(skin::TzubSkinEngine& engine);

 private:
  std::vector<TSkin> skins_;
  std::size_t current_ = 0;
};

// The folder of the running executable, ending in a backslash.
std::string ExecutableFolder();

}  // namespace orv
