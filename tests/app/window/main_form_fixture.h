// A real main window pointed at a settings file in a fresh temporary folder,
// with every dialog answered by a stub.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

#include "app/platform/dialog_stub.h"
#include "app/window/main_form.h"

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    form = std::make_unique<TMainForm>(folder.filePath("KOVA.ini"));
  }
  void TearDown() override { form.reset(); }

  QTemporaryDir folder;
  kova::DialogStub dialogs;
  std::unique_ptr<TMainForm> form;
};
