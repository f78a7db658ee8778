// Starts a real main window (offscreen) on arbitrary bytes as "KOVA.ini",
// shows it and closes it again, so that every value passes through the read
// stage, the window and the write stage. Nothing may overflow on the way, and
// the places written back must be ones the window system can hold.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/platform/dialog_seam.h"
#include "app/platform/window_coordinate.h"
#include "app/storage/profile_file.h"
#include "app/window/main_form.h"
#include "render/diagram_metrics.h"

namespace {

// Closes every message box at once, as its close button would.
class ClosingSeam final : public kova::DialogSeam {
 public:
  kova::MessageButton Message(const kova::MessageRequest& request) override {
    for (kova::MessageButton button : {kova::MessageButton::Cancel, kova::MessageButton::No}) {
      if (kova::Contains(request.buttons, button)) return button;
    }
    return kova::MessageButton::Ok;
  }
  std::optional<kova::FileChoice> FileDialog(const kova::FileDialogRequest&,
                                             const kova::FileNameCheck&) override {
    return std::nullopt;
  }
  std::optional<QFont> FontDialog(const QFont&) override { return std::nullopt; }
};

QString& IniPath() {
  static QString path;
  return path;
}

// What the window writes back lies within the window system's reach.
void CheckInReach(const kova::ProfileFile& ini, std::string_view section, const std::string& key) {
  const int stored = ini.ReadInteger(section, key, 0);
  if (stored < -kova::kMaxWindowCoordinate || stored > kova::kMaxWindowCoordinate) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Never taken down: among the exit handlers, after Qt's own statics, that
  // would crash.
  new QApplication(*argc, *argv);
  static QTemporaryDir folder;
  static ClosingSeam seam;
  if (!folder.isValid()) std::abort();
  IniPath() = folder.filePath("KOVA.ini");
  kova::InstallDialogSeam(&seam);
  // Qt's pixmap cache keeps a key for every pixmap of every window's icons
  // long after the window is gone; one window a run would make it grow.
  QPixmapCache::setCacheLimit(0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  {
    QFile file(IniPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(input);
  }
  // The metrics read with the current values as defaults; every run starts
  // from the same ones.
  kova::ProcessDiagramMetrics() = kova::DiagramMetrics{};
  {
    auto form = std::make_unique<TMainForm>(IniPath());
    form->show();
    QApplication::processEvents();
    form->close();
  }
  // A file the window refused to take is left as it was.
  QFile file(IniPath());
  if (!file.open(QIODevice::ReadOnly) || file.readAll() == input) return 0;
  const kova::ProfileFile written(IniPath());
  if (!written.ReadBool("Bounds", "Maximized", false)) {
    for (const char* key : {"Left", "Top", "Width", "Height"}) CheckInReach(written, "Bounds", key);
  }
  for (const char* band :
       {"MenuToolBar", "FileToolBar", "KovaToolBar", "EditToolBar", "HelpToolBar"}) {
    for (const char* suffix : {".Left", ".Top"}) {
      CheckInReach(written, "Settings", std::string(band) + suffix);
    }
  }
  return 0;
}
