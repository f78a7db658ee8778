#ifndef KOVA_TRANSLATE_EXCEPTION_H_
#define KOVA_TRANSLATE_EXCEPTION_H_

#include <stdexcept>
#include <string>

namespace kova {

// The one error type of the core: the tree layer raises it for invalid tree
// operations and the translator for structural errors of a script. what() is
// the German message for the user, in ISO-8859-1 like all of the system's
// 8-bit text ("für" holds ü as the byte 0xFC); show it with
// QString::fromLatin1.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& latin1_message)
      : std::runtime_error(latin1_message) {}
};

}  // namespace kova

#endif  // KOVA_TRANSLATE_EXCEPTION_H_
