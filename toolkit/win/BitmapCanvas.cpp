#include "BitmapCanvas.h"

#include <memory>

namespace tk {

TBitmapCanvasLink::TBitmapCanvasLink(TBitmapHandle storage)
    : canvas_(dc_.Get()), section_(dc_.Get()) {
  StorageReplaced(storage);
}

TBitmapCanvasLink::~TBitmapCanvasLink() = default;

// An empty bitmap has no section: the DC gets its own one-pixel bitmap back.
void TBitmapCanvasLink::StorageReplaced(TBitmapHandle storage) {
  if (storage == nullptr)
    section_.Restore();
  else
    section_.Select(static_cast<HBITMAP>(storage));
}

TCanvas& TBitmap::Canvas() {
  auto* link = dynamic_cast<TBitmapCanvasLink*>(Attachment());
  if (link == nullptr) {
    auto made = std::make_unique<TBitmapCanvasLink>(Handle());
    link = made.get();
    Attach(std::move(made));
  }
  return link->Canvas();
}

TBitmapDC::TBitmapDC(TBitmap& bitmap) {
  if (auto* link = dynamic_cast<TBitmapCanvasLink*>(bitmap.Attachment())) {
    dc_ = link->Canvas().Handle();
    return;
  }
  memory_.emplace();
  dc_ = memory_->Get();
  if (bitmap.Handle() != nullptr) section_.emplace(dc_, static_cast<HBITMAP>(bitmap.Handle()));
}

}  // namespace tk
