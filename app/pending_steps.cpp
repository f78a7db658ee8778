// Creation steps and handlers whose owners have not built them yet. Whoever
// builds one moves it out of here into its own file; delete this file once
// it is empty.
#include <QAction>

#include "app/error_handler.h"
#include "app/main_form.h"

void TMainForm::createActions() {
  const auto makeAction = [this](const char* name, const char* caption, const QKeySequence& shortcut,
                                 void (TMainForm::*handler)()) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, kova::Guarded([this, handler] { (this->*handler)(); }));
    addAction(action);
    return action;
  };
  RunAction = makeAction("RunAction", "NSD erzeugen", QKeySequence(Qt::Key_F9), &TMainForm::RunActionExecute);
  SaveImageAction = makeAction("SaveImageAction", "als Grafik speichern...",
                               QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), &TMainForm::SaveImageActionExecute);
  CopyImageAction = makeAction("CopyImageAction", "als Grafik kopieren...",
                               QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), &TMainForm::CopyImageActionExecute);
}

void TMainForm::configureEditor() {}

void TMainForm::attachEditorStatus() {}

void TMainForm::readSettings() {}

void TMainForm::writeSettings() {}

bool TMainForm::CanClear() { return true; }
