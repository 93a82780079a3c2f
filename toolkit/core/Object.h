#pragma once

namespace tk {

// Root of the toolkit's class tree: every toolkit object is destroyed through it.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

}  // namespace tk
