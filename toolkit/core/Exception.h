#pragma once

#include <exception>
#include <string>

namespace tk {

// The toolkit's general exception class; errors carry a fixed English message.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EStreamError : public Exception {
  using Exception::Exception;
};
class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
  using EStreamError::EStreamError;
};
class EInvalidGraphic : public Exception {
  using Exception::Exception;
};
class EOutOfResources : public Exception {
  using Exception::Exception;
};

inline constexpr const char* kReadErrorMessage = "Stream read error";
inline constexpr const char* kWriteErrorMessage = "Stream write error";
inline constexpr const char* kInvalidBitmapMessage = "Bitmap image is not valid";

}  // namespace tk
