#include "app/platform/session_end.h"

#include <QGuiApplication>
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

}  // namespace

void AnswerSessionEnd(QObject* context, std::function<void(SessionEnd&)> handler) {
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

}  // namespace kova
