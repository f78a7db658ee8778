// The application's one place where errors are caught: an exception that
// leaves a command or an event handler is shown in an error box with its
// message, and the program goes on. Qt terminates the process when an
// exception crosses its event loop, so nothing may escape from here.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace kova {

// The user-facing text of the exception: what() read as UTF-8, or as
// ISO-8859-1 when it is not valid UTF-8; for memory that ran out, German
// words saying so.
QString ExceptionMessage(std::exception_ptr error);

// Shows the exception's message in an error box.
void ReportException(std::exception_ptr error);

// Runs `handler`; an exception from it is reported instead of propagating.
// Returns false when one was.
template <typename Handler>
bool RunGuarded(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (...) {
    ReportException(std::current_exception());
    return false;
  }
}

// Wraps a handler for connecting to a signal: every action handler goes
// through this, so that its errors reach the error box.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&...) mutable { RunGuarded(handler); };
}

// The application object: event delivery goes through the same guard.
class KovaApplication : public QApplication {
 public:
  KovaApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kova
