// F9 drives the whole road: translation, drawing, function tabs, error report.
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QPointer>
#include <QTest>

#include <unistd.h>

#include <fstream>
#include <string>

#include "app/window/diagram_image.h"
#include "app/window/main_form_fixture.h"
#include "app/editor/script_editor.h"
#include "app/storage/file_bytes.h"
#include "app/window/tab_set.h"
#include "render/diagram_metrics.h"
#include "render/diagram_painter.h"
#include "support/address_sanitizer.h"
#include "translate/memory_budget.h"

namespace {

// The memory the process holds in pages of its own.
long long ResidentBytes() {
  long long pages = 0;
  long long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

const char* const kNoFunction = "echo a\nif test\n  echo b\nfi\n";
const char* const kTwoFunctions =
    "function demo {\n"
    "  echo demo\n"
    "}\n"
    "funktion rechne\n"
    "  while true\n"
    "    echo rechne mit einer langen Zeile\n"
    "  done\n"
    "funktion ende\n"
    "echo haupt\n";
const char* const kThreeFunctions = "function a\n}\nfunction b\n}\nfunction c\n}\n";

}  // namespace

class RunCommandTest : public MainFormTest {
 protected:
  void TearDown() override {
    MainFormTest::TearDown();
    kova::ProcessDiagramMetrics() = metricsBefore;
  }

  // Starts the window anew with a settings file that holds these lines, as
  // a user who edited "KOVA.ini" by hand.
  void StartWithSettings(const std::string& settings) {
    form.reset();
    kova::PutFileBytes(folder.filePath("KOVA.ini"), "[Settings]\n" + settings);
    form = std::make_unique<TMainForm>(folder.filePath("KOVA.ini"));
  }

  void Run(const char* script) {
    form->fEditor->setText(QString::fromLatin1(script));
    form->RunAction->trigger();
  }

  std::vector<QString> Captions() const {
    std::vector<QString> captions;
    for (int i = 0; i < form->TabSet->TabCount(); ++i) captions.push_back(form->TabSet->TabCaption(i));
    return captions;
  }

  // The indexes of the scroll boxes that are not hidden.
  std::vector<int> ShownScrollBoxes() const {
    std::vector<int> shown;
    for (std::size_t i = 0; i < form->fScrollBoxes.size(); ++i) {
      if (form->fScrollBoxes[i] != nullptr && !form->fScrollBoxes[i]->isHidden()) shown.push_back(static_cast<int>(i));
    }
    return shown;
  }

  QSize ImageSize(std::size_t index) { return form->fImages[index]->Bitmap().size(); }

  const kova::DiagramMetrics metricsBefore = kova::ProcessDiagramMetrics();
};

TEST_F(RunCommandTest, ScriptWithoutFunctionsDrawsTheMainDiagramOnly) {
  Run(kNoFunction);
  EXPECT_TRUE(form->TabSet->isHidden());
  EXPECT_EQ(form->TabSet->TabIndex(), 0);
  ASSERT_EQ(form->fImages.size(), 1u);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{0});
  EXPECT_GT(ImageSize(0).width(), 0);
  EXPECT_GT(ImageSize(0).height(), 0);
  // The image takes the size of its bitmap.
  EXPECT_EQ(form->fImages[0]->size(), ImageSize(0));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RunCommandTest, EmptyEditorDrawsAnEmptyDiagram) {
  Run("");
  EXPECT_TRUE(form->TabSet->isHidden());
  EXPECT_EQ(form->fImages.size(), 1u);
  EXPECT_GT(ImageSize(0).height(), 0);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RunCommandTest, TwoFunctionsGiveTabsInScriptOrder) {
  Run(kTwoFunctions);
  EXPECT_FALSE(form->TabSet->isHidden());
  EXPECT_EQ(Captions(), (std::vector<QString>{"Hauptprogramm", " demo ", " rechne"}));
  EXPECT_EQ(form->TabSet->TabIndex(), 0);
  ASSERT_EQ(form->fImages.size(), 3u);
  ASSERT_EQ(form->fScrollBoxes.size(), 3u);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{0});
  // A function's scroll box is made when its tab is first chosen.
  for (int i = 2; i >= 0; --i) {
    EXPECT_GT(ImageSize(i).height(), 0);
    form->TabSet->SetTabIndex(i);
    EXPECT_EQ(form->fImages[i]->parentWidget()->parentWidget(), form->fScrollBoxes[i]);
    EXPECT_EQ(form->fScrollBoxes[i]->parentWidget(), form->ImagePanel);
    EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{i});
  }
  // The loop of the second function makes its diagram taller than the first.
  EXPECT_GT(ImageSize(2).height(), ImageSize(1).height());
  // Function images draw with the diagram font of image 0.
  EXPECT_EQ(form->fImages[2]->BitmapCanvas().Font(), form->fImages[0]->BitmapCanvas().Font());
}

TEST_F(RunCommandTest, ChoosingATabShowsOnlyItsDiagram) {
  Run(kTwoFunctions);
  form->TabSet->SetTabIndex(2);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{2});
  form->show();
  QTest::mouseClick(form->TabSet, Qt::LeftButton, {}, form->TabSet->TabRect(1).center());
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{1});
}

TEST_F(RunCommandTest, SelectedTabSurvivesARunByItsIndex) {
  Run(kTwoFunctions);
  form->TabSet->SetTabIndex(2);
  Run(kTwoFunctions);
  EXPECT_EQ(form->TabSet->TabIndex(), 2);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{2});

  Run(kThreeFunctions);
  form->TabSet->SetTabIndex(3);
  Run(kTwoFunctions);
  EXPECT_EQ(form->TabSet->TabIndex(), 0);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{0});
}

TEST_F(RunCommandTest, FunctionDiagramsOfTheNextRunStartAtTheTopLeft) {
  form->show();
  std::string longFunctions;
  for (const char* name : {"eins", "zwei"}) {
    longFunctions += std::string("function ") + name + "\n";
    for (int i = 0; i < 100; ++i) longFunctions += "echo " + std::to_string(i) + "\n";
    longFunctions += "}\n";
  }
  Run(longFunctions.c_str());
  form->TabSet->SetTabIndex(1);
  QTest::qWait(1);
  QScrollBar& scrollBar = *form->fScrollBoxes[1]->verticalScrollBar();
  scrollBar.setValue(scrollBar.maximum());
  ASSERT_GT(scrollBar.value(), 0);

  Run(longFunctions.c_str());
  QTest::qWait(1);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{1});
  EXPECT_GT(form->fScrollBoxes[1]->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(form->fScrollBoxes[1]->verticalScrollBar()->value(), 0);

  // A run with fewer functions shows its own diagrams under its own tabs.
  Run(kThreeFunctions);
  Run(kTwoFunctions);
  EXPECT_EQ(Captions(), (std::vector<QString>{"Hauptprogramm", " demo ", " rechne"}));
  ASSERT_EQ(form->fImages.size(), 3u);
  EXPECT_GT(ImageSize(2).height(), ImageSize(1).height());
  EXPECT_EQ(form->fImages[1]->size(), ImageSize(1));
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{1});
}

TEST_F(RunCommandTest, RunWithoutFunctionsAfterTabsFallsBackToTheMainDiagram) {
  Run(kTwoFunctions);
  QScrollArea* mainBox = form->fScrollBoxes[0];
  form->TabSet->SetTabIndex(1);
  Run(kNoFunction);
  EXPECT_TRUE(form->TabSet->isHidden());
  EXPECT_EQ(form->TabSet->TabIndex(), 0);
  ASSERT_EQ(form->fImages.size(), 1u);
  EXPECT_EQ(form->fScrollBoxes[0], mainBox);
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{0});
  // The next run with functions builds the tab list from scratch.
  Run(kThreeFunctions);
  EXPECT_EQ(Captions(), (std::vector<QString>{"Hauptprogramm", " a", " b", " c"}));
}

TEST_F(RunCommandTest, TabCaptionsKeepWhatTheKeywordLeaves) {
  Run("function demo{\n}\nfunction demo {{\n}\nFunction Demo\n}\nfunction\n}\nfunktion\n}\n");
  EXPECT_EQ(Captions(),
            (std::vector<QString>{"Hauptprogramm", " demo", " demo {", "Function Demo", "", ""}));
}

TEST_F(RunCommandTest, ErrorInTheFirstLineIsReportedWithTheCaretOnIt) {
  Run("  fi  \necho danach\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Information);
  EXPECT_EQ(dialogs.messages[0].buttons, static_cast<int>(kova::MessageButton::Ok));
  EXPECT_EQ(dialogs.messages[0].text,
            "Verarbeitungsfehler in Zeile 1:\r\nfi\r\n\r\nFehler:\r\n"
            "Ende der Auswahl [fi, ende wenn] ohne Einleitung [if, wenn].\r\n\r\n"
            "Mit großer Wahrscheinlichkeit ist der Fehler weiter oben zu suchen...");
  EXPECT_EQ(form->fEditor->CaretY(), 1);
  EXPECT_EQ(form->fEditor->CaretX(), 1);
  // The (empty) diagram of what came before is drawn all the same.
  EXPECT_GT(ImageSize(0).height(), 0);
}

TEST_F(RunCommandTest, ErrorKeepsTheDiagramsBuiltBeforeIt) {
  Run("echo eins\nfunction demo {\necho zwei\n}\nwhile x\nfunction kaputt\necho nie\n");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.startsWith("Verarbeitungsfehler in Zeile 6:\r\nfunction kaputt\r\n"));
  EXPECT_EQ(form->fEditor->CaretY(), 6);
  EXPECT_EQ(form->fEditor->CaretX(), 1);
  EXPECT_EQ(Captions(), (std::vector<QString>{"Hauptprogramm", " demo "}));
  EXPECT_EQ(form->fImages.size(), 2u);
}

TEST_F(RunCommandTest, CopyAndSaveUseTheSelectedTabsPicture) {
  Run(kTwoFunctions);
  form->TabSet->SetTabIndex(2);
  form->CopyImageAction->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), ImageSize(2));
  dialogs.fileAnswers.push_back(kova::FileChoice{folder.filePath("zwei"), 3});
  form->SaveImageAction->trigger();
  EXPECT_EQ(QImage(folder.filePath("zwei.png")).size(), ImageSize(2));

  Run(kNoFunction);
  form->CopyImageAction->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), ImageSize(0));
}

TEST_F(RunCommandTest, DiagramTooLargeForABitmapIsReportedAndTheWindowGoesOn) {
  Run(kTwoFunctions);
  form->TabSet->SetTabIndex(1);
  const std::string longLine = "echo " + std::string(3000000, 'x') + "\n";
  Run(("function gross\n" + longLine).c_str());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
  // The window is left with one consistent state and the next run works.
  EXPECT_EQ(form->fImages.size(), form->fScrollBoxes.size());
  EXPECT_EQ(ShownScrollBoxes().size(), 1u);
  Run(kTwoFunctions);
  EXPECT_EQ(Captions(), (std::vector<QString>{"Hauptprogramm", " demo ", " rechne"}));
  EXPECT_EQ(ShownScrollBoxes(), std::vector<int>{0});
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

// Each function's scroll box, image, tab and picture count in the run's
// memory: a script with more functions than that leaves room for is refused
// before any of them is made, for its functions and not for some picture;
// its text stays in the editor and the window shows the main diagram alone.
// Translation stops at the function that no longer fits, so the number it
// names is a lower bound.
TEST_F(RunCommandTest, TooManyFunctionsForTheMemoryAreRefusedByTheirNumber) {
  Run(kTwoFunctions);
  std::string script;
  for (int i = 0; i < 500; ++i) script += "function f" + std::to_string(i) + "\n  echo " + std::to_string(i) + "\n}\n";
  {
    // Room for the trees of all 1500 lines, not for 500 function diagrams.
    const kova::MemoryBudget budget(kova::TreeBytes({.elements = 3000}));
    Run(script.c_str());
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const QString& message = dialogs.messages[0].text;
  EXPECT_TRUE(message.contains(QStringLiteral("zu viele Funktionen"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("von mindestens "))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("Arbeitsspeicher")));
  EXPECT_FALSE(message.contains(QStringLiteral("Grafik")));
  EXPECT_EQ(form->fEditor->text().toStdString(), script);
  EXPECT_EQ(form->fImages.size(), 1u);
  EXPECT_TRUE(form->TabSet->isHidden());
  // With the memory there, the same text is drawn.
  form->RunAction->trigger();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(form->TabSet->TabCount(), 501);
}

// Metrics that make every picture too large refuse a script with a function
// for the picture, as they refuse the script without it: one function is
// never too many. Where the main diagram's picture fits but not a
// function's beside it, the picture is named alike for any number of
// functions.
TEST_F(RunCommandTest, PictureTheSettingsMakeTooLargeIsNamedAlsoWithAFunction) {
  const char* const tooLargeForTheMemory = "AnweisungsHoehe=100000\nNullBreite=100000\n";
  const char* const everyMetricAtItsLargest =
      "AnweisungsHoehe=2147483647\nSchleifenBreite=2147483647\nAufrufBreite=2147483647\n"
      "LeerAbstand=2147483647\nNullBreite=2147483647\nAbstand=2147483647\n";
  for (const char* settings : {tooLargeForTheMemory, everyMetricAtItsLargest}) {
    StartWithSettings(settings);
    dialogs.messages.clear();
    {
      const kova::MemoryBudget budget(1LL << 30);
      Run("");
      Run("function f\n  echo a\n}\n");
    }
    ASSERT_EQ(dialogs.messages.size(), 2u) << settings;
    const QString& message = dialogs.messages[1].text;
    EXPECT_EQ(message.toStdString(), dialogs.messages[0].text.toStdString()) << settings;
    EXPECT_TRUE(message.contains(QStringLiteral("keine Grafik von "))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("Funktionen"))) << message.toStdString();
  }
  const QString& largest = dialogs.messages[0].text;
  EXPECT_TRUE(largest.contains(QStringLiteral("von mehr als 8000000 × mehr als 8000000"))) << largest.toStdString();

  // Keys the file leaves out keep the metrics in use.
  kova::ProcessDiagramMetrics() = metricsBefore;
  StartWithSettings("AnweisungsHoehe=2000\nNullBreite=2000\n");
  dialogs.messages.clear();
  // The main diagram, empty here, takes the smallest picture.
  const long long picture = kova::SmallestPictureBytes(kova::ProcessDiagramMetrics());
  std::string hundredFunctions;
  for (int i = 0; i < 100; ++i) hundredFunctions += "function f" + std::to_string(i % 10) + "\n}\n";
  for (const char* script : {"function f\n}\n", "function f\n}\nfunction g\n}\n", hundredFunctions.c_str()}) {
    const kova::MemoryBudget budget(picture * 3 / 2);
    Run(script);
    EXPECT_EQ(ImageSize(0).height() * ImageSize(0).width() * 4LL, picture);
  }
  ASSERT_EQ(dialogs.messages.size(), 3u);
  for (const kova::MessageRequest& message : dialogs.messages) {
    EXPECT_EQ(message.text.toStdString(), dialogs.messages[0].text.toStdString());
    EXPECT_TRUE(message.text.contains(QStringLiteral("keine Grafik von "))) << message.text.toStdString();
    EXPECT_TRUE(message.text.endsWith(kova::OutOfMemoryReason())) << message.text.toStdString();
    EXPECT_FALSE(message.text.contains(QStringLiteral("Funktionen"))) << message.text.toStdString();
  }
  EXPECT_TRUE(form->TabSet->isHidden());
}

// Negative metrics can make a picture with a side below one pixel; the
// refusal names the settings as the cause and shows no negative size.
TEST_F(RunCommandTest, SizeTheSettingsMakeInvalidIsRefusedWithoutPixelCounts) {
  const char* const everyMetricAtItsSmallest =
      "AnweisungsHoehe=0x80000000\nSchleifenBreite=0x80000000\nAufrufBreite=0x80000000\n"
      "LeerAbstand=0x80000000\nNullBreite=0x80000000\nAbstand=0x80000000\n";
  for (const char* settings : {"AnweisungsHoehe=-30\n", "AnweisungsHoehe=-2147483648\nNullBreite=-2147483648\n",
                               everyMetricAtItsSmallest}) {
    StartWithSettings(settings);
    dialogs.messages.clear();
    Run(kTwoFunctions);
    ASSERT_EQ(dialogs.messages.size(), 1u) << settings;
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Für das Diagramm kann keine Grafik angelegt werden: die Maße aus den "
                             "Einstellungen ergeben keine gültige Größe."))
        << settings;
  }
}

TEST_F(RunCommandTest, TenThousandLinesFinish) {
  std::string script;
  for (int i = 0; i < 2500; ++i) script += "if test " + std::to_string(i) + "\necho a\nelse\nfi\n";
  Run(script.c_str());
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_GT(ImageSize(0).height(), 2500 * 30);
  QTest::qWait(1);
  EXPECT_EQ(form->fImages.size(), 1u);
}

TEST_F(RunCommandTest, NextRunFreesTheFunctionImagesButKeepsImageZero) {
  Run(kTwoFunctions);
  QPointer<QScrollArea> functionBox = form->fScrollBoxes[1];
  QPointer<kova::DiagramImage> functionImage = form->fImages[1];
  QPointer<QScrollArea> mainBox = form->fScrollBoxes[0];
  QPointer<kova::DiagramImage> mainImage = form->fImages[0];
  Run(kNoFunction);
  EXPECT_TRUE(functionBox.isNull());
  EXPECT_TRUE(functionImage.isNull());
  EXPECT_EQ(mainBox.data(), form->fScrollBoxes[0]);
  EXPECT_EQ(mainImage.data(), form->fImages[0]);
}

// The memory of the pictures a run frees goes back to the system, also when
// the run is refused: the next run's budget is taken from what the system
// has free. AddressSanitizer's allocator keeps freed memory whatever is done.
TEST_F(RunCommandTest, MemoryOfFreedDiagramsGoesBackToTheSystem) {
#if !defined(__GLIBC__) || KOVA_HAS_ADDRESS_SANITIZER
  GTEST_SKIP() << "only glibc's allocator is asked to give memory back";
#endif
  std::string script;
  for (int i = 0; i < 2000; ++i) script += "function f" + std::to_string(i) + " {\n  echo " + std::to_string(i) + "\n}\n";
  Run(kNoFunction);
  const long long before = ResidentBytes();
  Run(script.c_str());
  const long long taken = ResidentBytes() - before;
  ASSERT_GT(taken, 2000LL * (20 << 10));
  Run(kNoFunction);
  EXPECT_LT(ResidentBytes() - before, taken / 4);

  Run(script.c_str());
  {
    const kova::MemoryBudget budget(kova::TreeBytes({.elements = 8000}));
    Run(script.c_str());
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("zu viele Funktionen")))
      << dialogs.messages[0].text.toStdString();
  EXPECT_LT(ResidentBytes() - before, taken / 4);
}

TEST_F(RunCommandTest, DestroyingTheWindowFreesEveryDiagram) {
  Run(kThreeFunctions);
  std::vector<QPointer<QWidget>> diagrams;
  for (std::size_t i = 0; i < form->fImages.size(); ++i) {
    diagrams.emplace_back(form->fImages[i]);
    diagrams.emplace_back(form->fScrollBoxes[i]);
  }
  ASSERT_EQ(diagrams.size(), 8u);
  form.reset();
  for (const QPointer<QWidget>& diagram : diagrams) EXPECT_TRUE(diagram.isNull());
}

TEST_F(RunCommandTest, TogglingCommentsRunsAgainWithTheNewState) {
  form->fEditor->setText("# kommentar\necho a\n");
  form->CommentsAction->trigger();
  const bool firstState = form->CommentsAction->isChecked();
  const int firstHeight = ImageSize(0).height();
  form->CommentsAction->trigger();
  EXPECT_NE(form->CommentsAction->isChecked(), firstState);
  const int secondHeight = ImageSize(0).height();
  // With comments taken the comment line adds one row of 30 pixels.
  EXPECT_EQ(firstState ? firstHeight - secondHeight : secondHeight - firstHeight, 30);
}
