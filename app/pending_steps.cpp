// Creation steps and handlers whose owners have not built them yet. Whoever
// builds one moves it out of here into its own file; delete this file once
// it is empty.
#include "app/main_form.h"

void TMainForm::readSettings() {}

void TMainForm::writeSettings() {}

bool TMainForm::CanClear() { return true; }
