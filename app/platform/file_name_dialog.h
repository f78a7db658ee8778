// Qt's own (non-native) file dialog, filled from a FileDialogRequest. It shows
// the program's filter texts as they are while matching with patterns Qt
// understands, and asks before taking a name, so that a refused name leaves
// the user in the same dialog with folder, name and filter as they were.
#pragma once

#include <QFileDialog>

#include "app/platform/dialog_seam.h"

namespace kova {

class FileNameDialog final : public QFileDialog {
  Q_OBJECT

 public:
  FileNameDialog(QWidget* parent, const FileDialogRequest& request, FileNameCheck mayTake);

  // The confirmed file and the 1-based filter entry chosen; meaningful once
  // the dialog was accepted.
  FileChoice Choice() const;

  // Asks mayTake for the name the user confirmed; a refused name keeps the
  // dialog open as the user left it.
  void accept() override;

 private:
  QString ChosenFile() const;

  QStringList fNameFilters;   // as Qt takes them: description and Qt's patterns
  QStringList fShownFilters;  // the descriptions, as the user sees them
  FileNameCheck fMayTake;
};

}  // namespace kova
