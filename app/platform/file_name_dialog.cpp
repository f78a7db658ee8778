#include "app/platform/file_name_dialog.h"

#include <QDir>

#include <utility>

namespace kova {
namespace {

// The blank-separated patterns Qt matches for a filter pattern of the program:
// "*.sh;*.txt" gives "*.sh *.txt", and "*.*" gives "*", which also lists names
// without a dot.
QString QtFilterPatterns(const QString& pattern) {
  QStringList patterns;
  for (const QString& part : pattern.split(';', Qt::SkipEmptyParts)) {
    const QString trimmed = part.trimmed();
    if (trimmed.isEmpty()) continue;
    patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
  }
  return patterns.isEmpty() ? QStringLiteral("*") : patterns.join(' ');
}

// Qt takes the patterns from the last parentheses of a name filter and, with
// HideNameFilterDetails, shows only what stands before them: appending Qt's
// patterns shows the description unchanged.
QString QtNameFilter(const FileFilter& filter) {
  return filter.description + " (" + QtFilterPatterns(filter.pattern) + ")";
}

}  // namespace

FileNameDialog::FileNameDialog(QWidget* parent, const FileDialogRequest& request, FileNameCheck mayTake)
    : QFileDialog(parent, request.title, request.directory), fMayTake(std::move(mayTake)) {
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::HideNameFilterDetails);
  // A refused name is handled by fMayTake, in German.
  setOption(QFileDialog::DontConfirmOverwrite);
  const bool saving = request.mode == FileDialogMode::Save;
  setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  for (const FileFilter& filter : request.filters) {
    fNameFilters << QtNameFilter(filter);
    fShownFilters << filter.description.simplified();
  }
  setNameFilters(fNameFilters);
  const auto selected = static_cast<qsizetype>(request.filterIndex) - 1;
  if (selected >= 0 && selected < fNameFilters.size()) selectNameFilter(fNameFilters[selected]);
  setDefaultSuffix(request.defaultExtension);
  if (!request.fileName.isEmpty()) selectFile(request.fileName);
}

QString FileNameDialog::ChosenFile() const {
  const QStringList files = selectedFiles();
  // A typed "../x.png" names the file without the detour.
  return files.isEmpty() ? QString() : QDir::cleanPath(files.first());
}

FileChoice FileNameDialog::Choice() const {
  FileChoice choice;
  choice.fileName = ChosenFile();
  const QString selected = selectedNameFilter();
  qsizetype index = fNameFilters.indexOf(selected);
  // With the details hidden, Qt answers with the text it shows.
  if (index < 0) index = fShownFilters.indexOf(selected);
  choice.filterIndex = index < 0 ? 1 : static_cast<int>(index) + 1;
  return choice;
}

void FileNameDialog::accept() {
  const QString file = ChosenFile();
  if (!file.isEmpty() && fMayTake && !fMayTake(file)) return;
  QFileDialog::accept();
}

}  // namespace kova
