// The exception that carries a user-facing German message out of the core.
#ifndef KOVA_RENDER_ERROR_H_
#define KOVA_RENDER_ERROR_H_

#include <stdexcept>
#include <string>

namespace kova {

// what() is the message as the user reads it, ISO-8859-1 encoded like all of
// the system's 8-bit text.
class RenderError : public std::runtime_error {
 public:
  explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kova

#endif  // KOVA_RENDER_ERROR_H_
