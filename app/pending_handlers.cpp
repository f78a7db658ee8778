// Command handlers whose owners have not built them yet. Whoever builds one
// moves it out of here into its own file; delete this file once it is empty.
#include "app/main_form.h"

void TMainForm::NewActionExecute() {}
void TMainForm::OpenActionExecute() {}
void TMainForm::SaveActionExecute() {}
void TMainForm::SaveAsActionExecute() {}
void TMainForm::CloseMenuClick() {}

