#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "skin/reader/SkinFileReader.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Object.h"

namespace skin {

// Access to the elements of one loaded skin by kind and catalogue index (Skin2Define). It owns
// the element store and notifies its owner after every (re)load.
class TzubSkinReader : public tk::TObject {
 public:
  using TChangeEvent = std::function<void(tk::TObject* Sender)>;

  // Starts empty, then opens fileName; an empty name loads nothing.
  explicit TzubSkinReader(const std::string& fileName = "", const std::string& password = "");
  ~TzubSkinReader() override;

  // Discards the loaded skin, then loads the package fileName. A missing file leaves the reader
  // empty without raising. A package that cannot be read raises the store's exception
  // ("Wrong password!", "Failed to read skin file!" or a bitmap error) and leaves the reader
  // empty. OnChange is called at the end of every call that does not raise.
  void OpenSkin(const std::string& fileName, const std::string& password);

  // Missing elements (or no skin loaded) answer -1, nil, -1 and False. Only the low 7 bits of
  // index count; an index past the end of its group answers as a missing element.
  tk::TColor GetColor(std::uint8_t index) const;
  // Borrowed from the store; valid until the next OpenSkin or the reader's destruction.
  tk::TBitmap* GetBitmap(std::uint8_t index) const;
  std::int32_t GetInteger(std::uint8_t index) const;
  bool GetBoolean(std::uint8_t index) const;

  bool Loaded() const { return loaded_; }
  // The element store of the loaded skin, or nil.
  const Tsk2SkinFileReader* Store() const { return store_.get(); }

  TChangeEvent OnChange;

 private:
  void PrepareBitmaps();

  std::unique_ptr<Tsk2SkinFileReader> store_;
  bool loaded_ = false;
};

}  // namespace skin
