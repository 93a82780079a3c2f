#include "Skin2Define.h"

namespace skin {

std::string_view Skin2Name(int position) {
  if (position < 0 || position >= kSkin2NameCount) return {};
  return kSkin2Names[static_cast<std::size_t>(position)];
}

}  // namespace skin
