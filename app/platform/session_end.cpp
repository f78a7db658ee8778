#include "app/platform/session_end.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSessionManager>

#include <utility>

namespace kova {

namespace {

class PlatformSessionEnd final : public SessionEnd {
 public:
  explicit PlatformSessionEnd(QSessionManager& manager) : fManager(manager) {}
  bool AllowsInteraction() override { return fManager.allowsInteraction(); }
  void Cancel() override { fManager.cancel(); }

 private:
  QSessionManager& fManager;
};

// When the session really ends, the platform tells the application to quit
// (the X session manager's "die", Windows' WM_ENDSESSION), and Qt closes every
// window while the application handles that QEvent::Quit. A cancelled end
// sends the program nothing. The program never asks itself to quit, so a
// close within that event is the session's end and any other the user's.
class QuitWatcher final : public QObject {
 public:
  using QObject::QObject;
  bool Quitting() const { return fQuitting; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (fQuitting || watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
    // Delivered here, so that the flag holds exactly as long as the closing.
    const QScopedValueRollback<bool> quitting(fQuitting, true);
    QCoreApplication::sendEvent(watched, event);
    return true;
  }

 private:
  bool fQuitting = false;
};

QPointer<QuitWatcher>& Watcher() {
  static QPointer<QuitWatcher> watcher;
  return watcher;
}

void WatchQuit() {
  QCoreApplication* application = QCoreApplication::instance();
  if (Watcher() || application == nullptr) return;
  Watcher() = new QuitWatcher(application);
  application->installEventFilter(Watcher());
}

}  // namespace

void AnswerSessionEnd(QObject* context, std::function<void(SessionEnd&)> handler) {
  WatchQuit();
  // The session manager takes the answer when the signal returns, so the
  // handler runs at once, not queued.
  QObject::connect(
      qGuiApp, &QGuiApplication::commitDataRequest, context,
      [handler = std::move(handler)](QSessionManager& manager) {
        PlatformSessionEnd session(manager);
        handler(session);
      },
      Qt::DirectConnection);
}

bool SessionEnding() { return Watcher() && Watcher()->Quitting(); }

}  // namespace kova
