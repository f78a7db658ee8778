#include "app/dialogs/form_setup.h"

#include <QDialog>
#include <QFont>

namespace kova {

void SetUpForm(QDialog& form, const char* name, const QString& caption,
               const char* fontFamily, int fontPixels) {
  form.setObjectName(QLatin1String(name));
  form.setWindowTitle(caption);
  QFont font{QString::fromLatin1(fontFamily)};
  font.setPixelSize(fontPixels);
  form.setFont(font);
}

}  // namespace kova
