// The commands that open the settings, keys and info dialogs.
#include <QAction>
#include <QGuiApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <QTableWidget>

#include "app/dialogs/about_form.h"
#include "app/window/diagram_image.h"
#include "app/dialogs/keys_form.h"
#include "app/dialogs/labeled_edit.h"
#include "app/editor/search_state.h"
#include "app/dialogs/settings_form.h"
#include "render/diagram_metrics.h"
#include "app/window/main_form_fixture.h"
#include "app/dialogs/user_stubs.h"

namespace kova {
namespace {

class MainFormDialogsTest : public MainFormTest {
 protected:
  ModalAnswerer answerer;
};

// The settings dialog, opened by its command and answered by `change`, which
// may alter the controls before the dialog is closed with OK.
class MainFormSettingsTest : public MainFormDialogsTest {
 protected:
  void SetUp() override {
    MainFormDialogsTest::SetUp();
    gbSearchTextAtCaret = true;
    runs = std::make_unique<QSignalSpy>(form->RunAction, &QAction::triggered);
    ProcessDiagramMetrics() = DiagramMetrics{};
  }
  void TearDown() override {
    ProcessDiagramMetrics() = DiagramMetrics{};
    MainFormDialogsTest::TearDown();
  }

  // Opens the dialog; `change` fills in what the user does. Returns whether
  // the dialog was shown.
  void Open(const std::function<void(TSettingsForm&)>& change, int result = QDialog::Accepted) {
    answerer.action = [change, result](QDialog& dialog) {
      auto& settings = static_cast<TSettingsForm&>(dialog);
      if (change) change(settings);
      settings.done(result);
    };
    form->SettingsAction->trigger();
  }

  BeepRecorder beeps;
  std::unique_ptr<QSignalSpy> runs;
};

TEST_F(MainFormDialogsTest, InfoShowsTheAboutBoxOwnedByTheWindow) {
  QGuiApplication::setApplicationDisplayName("KOVA");
  QString caption, version;
  QImage icon;
  answerer.action = [&](QDialog& dialog) {
    EXPECT_EQ(form.get(), dialog.parentWidget());
    auto& about = static_cast<TAboutForm&>(dialog);
    caption = about.windowTitle();
    version = about.VersionLabel->text();
    icon = about.IconImage->pixmap().toImage();
    dialog.done(QDialog::Accepted);
  };
  form->InfoAction->trigger();
  EXPECT_EQ(1, answerer.shown);
  EXPECT_EQ("Info zu KOVA...", caption);
  EXPECT_EQ("Version 0.2.0    built 16", version);
  // The program's icon, drawn for the 32-pixel place rather than scaled.
  EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32),
            QImage(":/icons/kova-32.png").convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(QList<QSize>({{16, 16}, {32, 32}, {48, 48}}), form->windowIcon().availableSizes());
  EXPECT_TRUE(form->findChildren<QDialog*>().isEmpty()) << "destroyed at once";
}

TEST_F(MainFormDialogsTest, KeysListsFifteenRowsFromTheKeyTable) {
  QStringList keys, values;
  answerer.action = [&](QDialog& dialog) {
    const QTableWidget& grid = *static_cast<TKeysForm&>(dialog).ValueListEditor;
    for (int row = 0; row < grid.rowCount(); ++row) {
      keys << grid.item(row, 0)->text();
      values << grid.item(row, 1)->text();
    }
  };
  form->KeysAction->trigger();
  ASSERT_EQ(15, values.size());
  EXPECT_EQ("Einleitung einer Auswahl mit Bedingung", keys[0]);
  EXPECT_EQ("[if, wenn]", values[0]);
  EXPECT_EQ("[case, auswahl]", values[4]);
  EXPECT_EQ("Ende eines Falles einer merhrfachen Auswahl", keys[5]);
  EXPECT_EQ("[;;, fall ende]", values[5]);
  EXPECT_EQ("(ein neuer Fall beginnt nun ohne Schlüssel)", keys[6]);
  EXPECT_EQ("", values[6]);
  EXPECT_EQ("[esac, ende auswahl]", values[7]);
  EXPECT_EQ("[while, for, until, solange, für]", values[8]);
  EXPECT_EQ("[done, ende solange, ende für, ende schleife]", values[9]);
  EXPECT_EQ("[wiederhole bis]", values[11]);
  EXPECT_EQ("[exit, programmende, diagrammende, scriptende]", values[13]);
  EXPECT_EQ("Aufruf eines Unterprogrammes", keys[14]);
  EXPECT_EQ("[aufruf]", values[14]);
  for (const QString& value : values)
    EXPECT_FALSE(value.contains("function") || value.contains("funktion") || value.contains("}"))
        << value.toStdString();
}

TEST_F(MainFormSettingsTest, TheDialogShowsTheCurrentState) {
  form->SetWordWrap(true);
  form->SetBashHighlighting(false);
  form->CommentsAction->setChecked(true);
  form->fEditor->setTabWidth(4);
  Open([](TSettingsForm& dialog) {
    EXPECT_TRUE(dialog.SearchTextAtCaretChkBox->isChecked());
    EXPECT_EQ("4", dialog.TabWidthEdit->text());
    EXPECT_TRUE(dialog.WordWrapChkBox->isChecked());
    EXPECT_FALSE(dialog.BashSyntaxChkBox->isChecked());
    EXPECT_TRUE(dialog.KommentareChkBox->isChecked());
    EXPECT_EQ(0, dialog.PageControl1->currentIndex());
  }, QDialog::Rejected);
  EXPECT_EQ(1, answerer.shown);
}

TEST_F(MainFormSettingsTest, OkWithoutChangesRunsOnceAndKeepsTheState) {
  form->fEditor->setText("echo hi");
  const bool bash = form->BashSyntaxAction->isChecked();
  QSignalSpy bashRuns(form->BashSyntaxAction, &QAction::triggered);
  Open({});
  EXPECT_EQ(1, runs->count());
  EXPECT_EQ(0, bashRuns.count());
  EXPECT_EQ(bash, form->BashSyntaxAction->isChecked());
  EXPECT_TRUE(gbSearchTextAtCaret);
  EXPECT_TRUE(form->findChildren<QDialog*>().isEmpty());
}

TEST_F(MainFormSettingsTest, CancelAppliesNothingAndDoesNotRun) {
  const int tabWidth = form->fEditor->tabWidth();
  const DiagramFont diagramFont = form->fImages[0]->BitmapCanvas().Font();
  Open([](TSettingsForm& dialog) {
    dialog.SearchTextAtCaretChkBox->setChecked(false);
    dialog.TabWidthEdit->setText("8");
    dialog.WordWrapChkBox->setChecked(true);
    dialog.BashSyntaxChkBox->setChecked(!dialog.BashSyntaxChkBox->isChecked());
    dialog.SetNSDFont(DiagramFont{.name = "Courier New", .size = 20});
  }, QDialog::Rejected);
  EXPECT_EQ(0, runs->count());
  EXPECT_TRUE(gbSearchTextAtCaret);
  EXPECT_EQ(tabWidth, form->fEditor->tabWidth());
  EXPECT_FALSE(form->WordWrapAction->isChecked());
  EXPECT_EQ(diagramFont, form->fImages[0]->BitmapCanvas().Font());
}

TEST_F(MainFormSettingsTest, TheDefaultMetricsAreShown) {
  Open([](TSettingsForm& dialog) {
    QStringList texts;
    for (int i = 0; i < 6; ++i) texts << dialog.MetricEdit(i)->text();
    EXPECT_EQ(QStringList({"30", "15", "10", "5", "50", "10"}), texts);
    EXPECT_EQ(2, dialog.AusrichtungIndex());
  }, QDialog::Rejected);
}

TEST_F(MainFormSettingsTest, MetricsAreAppliedInOrderUpToAFieldThatIsNoNumber) {
  Open([](TSettingsForm& dialog) {
    dialog.AnweisungsHoeheEdit->setText("40");
    dialog.SchleifenBreiteEdit->setText("0");
    dialog.AufrufBreiteEdit->setText("-3");
    dialog.LeerAbstandEdit->setText("");
    dialog.NullBreiteEdit->setText("99");
    dialog.SetAusrichtungIndex(0);
  });
  const DiagramMetrics& metrics = ProcessDiagramMetrics();
  EXPECT_EQ(40, metrics.AnweisungsHoehe);
  EXPECT_EQ(0, metrics.SchleifenBreite);
  EXPECT_EQ(-3, metrics.AufrufBreite);
  EXPECT_EQ(5, metrics.LeerAbstand);
  EXPECT_EQ(50, metrics.NullBreite) << "not reached";
  EXPECT_EQ(2, metrics.Ausrichtung);
  ASSERT_EQ(1u, dialogs.messages.size());
  EXPECT_EQ("'' ist kein gültiger Integerwert", dialogs.messages[0].text);
  EXPECT_EQ(0, runs->count());
}

TEST_F(MainFormSettingsTest, AnAlignmentAboveTwoBecomesCentred) {
  ProcessDiagramMetrics().Ausrichtung = 7;
  Open([](TSettingsForm& dialog) { EXPECT_EQ(2, dialog.AusrichtungIndex()); });
  EXPECT_EQ(2, ProcessDiagramMetrics().Ausrichtung);
  Open([](TSettingsForm& dialog) { dialog.SetAusrichtungIndex(1); });
  EXPECT_EQ(1, ProcessDiagramMetrics().Ausrichtung);
}

TEST_F(MainFormSettingsTest, TabWidthIsKeptWithinTheEditorsLimits) {
  Open([](TSettingsForm& dialog) { dialog.TabWidthEdit->setText("0"); });
  EXPECT_EQ(1, form->fEditor->tabWidth());
  Open([](TSettingsForm& dialog) { dialog.TabWidthEdit->setText("300"); });
  EXPECT_EQ(256, form->fEditor->tabWidth());
  Open([](TSettingsForm& dialog) {
    EXPECT_EQ("256", dialog.TabWidthEdit->text());
    dialog.TabWidthEdit->setText(" $10");
  });
  EXPECT_EQ(16, form->fEditor->tabWidth());
}

TEST_F(MainFormSettingsTest, ATabWidthThatIsNoNumberStopsBeforeTheRun) {
  DialogStub& shown = dialogs;
  Open([](TSettingsForm& dialog) {
    dialog.TabWidthEdit->setText("abc");
    dialog.WordWrapChkBox->setChecked(true);
    dialog.SearchTextAtCaretChkBox->setChecked(false);
  });
  ASSERT_EQ(1u, shown.messages.size());
  EXPECT_EQ("'abc' ist kein gültiger Integerwert", shown.messages[0].text);
  EXPECT_EQ(0, runs->count());
  EXPECT_FALSE(gbSearchTextAtCaret) << "what came before is applied";
  EXPECT_TRUE(form->WordWrapAction->isChecked());
  EXPECT_TRUE(form->findChildren<QDialog*>().isEmpty());
}

TEST_F(MainFormSettingsTest, WordWrapFollowsTheCheckBox) {
  Open([](TSettingsForm& dialog) { dialog.WordWrapChkBox->setChecked(true); });
  EXPECT_TRUE(form->WordWrapAction->isChecked());
  EXPECT_NE(QsciScintilla::WrapNone, form->fEditor->wrapMode());
}

TEST_F(MainFormSettingsTest, BashHighlightingIsToggledOnlyWhenChanged) {
  form->SetBashHighlighting(true);
  QSignalSpy bashRuns(form->BashSyntaxAction, &QAction::triggered);
  Open([](TSettingsForm& dialog) { dialog.BashSyntaxChkBox->setChecked(false); });
  EXPECT_EQ(1, bashRuns.count());
  EXPECT_FALSE(form->BashSyntaxAction->isChecked());
  EXPECT_EQ(nullptr, form->fEditor->lexer());
  Open({});
  EXPECT_EQ(1, bashRuns.count());
  Open([](TSettingsForm& dialog) { dialog.BashSyntaxChkBox->setChecked(true); });
  EXPECT_EQ(2, bashRuns.count());
  EXPECT_NE(nullptr, form->fEditor->lexer());
}

TEST_F(MainFormSettingsTest, TickedCommentsAreInTheSameRun) {
  form->CommentsAction->setChecked(false);
  std::vector<bool> commentsAtRun;
  QObject::connect(form->RunAction, &QAction::triggered, form.get(),
                   [&] { commentsAtRun.push_back(form->CommentsAction->isChecked()); });
  QSignalSpy commentRuns(form->CommentsAction, &QAction::triggered);
  Open([](TSettingsForm& dialog) { dialog.KommentareChkBox->setChecked(true); });
  EXPECT_EQ((std::vector<bool>{true}), commentsAtRun) << "one run, with the comments";
  EXPECT_EQ(0, commentRuns.count()) << "the command itself is not run";
  EXPECT_TRUE(form->CommentsAction->isChecked());
}

TEST_F(MainFormSettingsTest, FontsReachTheEditorAndEveryDiagram) {
  const DiagramFont diagramFont{.name = "Courier New", .size = 14, .bold = true};
  Open([&](TSettingsForm& dialog) {
    dialog.SetNSDFont(diagramFont);
    dialog.SetEditFont(DiagramFont{.name = "Courier New", .size = 12});
  });
  EXPECT_EQ(diagramFont, form->fImages[0]->BitmapCanvas().Font());
  EXPECT_EQ("Courier New", form->fEditor->EditorFont().family());
  Open([&](TSettingsForm& dialog) {
    EXPECT_EQ(diagramFont, dialog.NSDFont());
    EXPECT_EQ(12, dialog.EditFont().size);
  }, QDialog::Rejected);
}

}  // namespace
}  // namespace kova
