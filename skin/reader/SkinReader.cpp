#include "SkinReader.h"

#include "Skin2Define.h"
#include "skin/utils/PixelUtils.h"
#include "toolkit/core/FileSystem.h"

namespace skin {

namespace {

constexpr tk::TColor kMissingColor = -1;
constexpr std::int32_t kMissingInteger = -1;

}  // namespace

TzubSkinReader::TzubSkinReader(const std::string& fileName, const std::string& password) {
  OpenSkin(fileName, password);
}

TzubSkinReader::~TzubSkinReader() = default;

void TzubSkinReader::OpenSkin(const std::string& fileName, const std::string& password) {
  store_.reset();
  if (!tk::FileExists(fileName)) {
    loaded_ = false;
  } else {
    try {
      store_ = std::make_unique<Tsk2SkinFileReader>(fileName, password);
      PrepareBitmaps();
      loaded_ = true;
    } catch (...) {
      store_.reset();
      loaded_ = false;
      throw;
    }
  }
  if (OnChange) OnChange(this);
}

// Every bitmap gets the skin's colour key; the track-bar image shows the form colour where the
// skin left it transparent, since it is drawn opaque.
void TzubSkinReader::PrepareBitmaps() {
  const tk::TColor trans = GetColor(SKIN2_TRANSCOLOR);
  store_->SetAllTransparent(trans);
  if (tk::TBitmap* trackBar = GetBitmap(SKIN2_TRACKBAR))
    ReplaceBitmapColor(trackBar, trans, GetColor(SKIN2_FORMCOLOR));
}

tk::TColor TzubSkinReader::GetColor(std::uint8_t index) const {
  const int position = Skin2Position(kSkin2ColorFirst, kSkin2ColorCount, index);
  if (!store_ || position < 0) return kMissingColor;
  return store_->FindInteger(std::string(Skin2Name(position)));
}

tk::TBitmap* TzubSkinReader::GetBitmap(std::uint8_t index) const {
  const int position = Skin2Position(kSkin2BitmapFirst, kSkin2BitmapCount, index);
  if (!store_ || position < 0) return nullptr;
  return store_->FindBitmap(std::string(Skin2Name(position)));
}

std::int32_t TzubSkinReader::GetInteger(std::uint8_t index) const {
  const int position = Skin2Position(kSkin2IntegerFirst, kSkin2IntegerCount, index);
  if (!store_ || position < 0) return kMissingInteger;
  return store_->FindInteger(std::string(Skin2Name(position)));
}

bool TzubSkinReader::GetBoolean(std::uint8_t index) const {
  const int position = Skin2Position(kSkin2BooleanFirst, kSkin2BooleanCount, index);
  if (!store_ || position < 0) return false;
  return store_->FindBoolean(std::string(Skin2Name(position)));
}

}  // namespace skin
