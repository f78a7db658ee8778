// The commands that open the settings, keys and info dialogs.
#include <QPixmap>

#include "app/about_form.h"
#include "app/main_form.h"

void TMainForm::InfoActionExecute() {
  ShowAboutBox(QString::fromUtf8(InfoText), QPixmap(), this);
}
