#pragma once

namespace skin {

// Sets a flag for as long as the scope lasts and then gives it its old value back, so that
// nested scopes over the same flag leave it set until the outermost one ends.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace skin
