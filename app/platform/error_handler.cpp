#include "app/platform/error_handler.h"

#include <QStringDecoder>

#include <new>

#include "app/platform/dialog_seam.h"
#include "app/storage/error_words.h"

namespace kova {
namespace {

QString DecodeMessage(const char* text) {
  const QByteArray bytes(text);
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8(bytes);
  if (utf8.hasError()) decoded = QString::fromLatin1(bytes);
  return decoded;
}

}  // namespace

QString ExceptionMessage(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    // Its what() is the runtime's English "std::bad_alloc".
    return OutOfMemoryWords();
  } catch (const std::exception& e) {
    return DecodeMessage(e.what());
  } catch (...) {
    return QStringLiteral("Unbekannter Fehler");
  }
}

void ReportException(std::exception_ptr error) {
  // The error box itself must not let a second error escape.
  try {
    ShowError(ExceptionMessage(error));
  } catch (...) {
  }
}

KovaApplication::KovaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KovaApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace kova
