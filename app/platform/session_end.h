// The desktop session's question, at log-off or shut-down, whether the
// program may end with it. The window answers it through SessionEnd, so that
// tests can ask it without a session manager.
#pragma once

#include <functional>

class QObject;

namespace kova {

class SessionEnd {
 public:
  virtual ~SessionEnd() = default;
  // Whether the user may be asked now; the session manager may keep the
  // program waiting for its turn first.
  virtual bool AllowsInteraction() = 0;
  // Asks the session manager to keep the session running.
  virtual void Cancel() = 0;
};

// Hands the platform's every such question to `handler` while `context` lives.
void AnswerSessionEnd(QObject* context, std::function<void(SessionEnd&)> handler);

// Whether the windows are being closed because the session ends. The
// question above may be followed by the end or, when another program cancels
// it, by nothing at all; only this tells the closes of the end apart from
// the user's own.
bool SessionEnding();

}  // namespace kova
