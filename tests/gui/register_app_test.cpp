// SPDX-License-Identifier: MIT
// The desktop program talking to ecrsim through a real pseudo-terminal: transfers from the window,
// the ECR setup dialog and the Logo Manager.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <regex>
#include <sstream>

#include "app/settings.h"
#include "app/settings_file.h"
#include "app_fixture.h"
#include "gui/communication_log.h"
#include "gui/ecr_setup_dialog.h"
#include "gui/grid_widget.h"
#include "gui/logo_manager_dialog.h"
#include "gui/reports_edit.h"
#include "sheets/sheet_file.h"
#include "support/child_process.h"
#include "support/ecrsim_process.h"
#include "support/example_state.h"
#include "support/fake_clock.h"
#include "support/sim_files.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

class RegisterApp : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> simArgs = {}) {
    simArgs.insert(simArgs.end(), {"--serial", "1", "--trace", dir / "trace.txt"});
    sim = std::make_unique<test::EcrsimProcess>(simArgs);
    const auto device = sim->SlavePath();
    ASSERT_TRUE(device.has_value());
    app = std::make_unique<test::AppFixture>(*device);
  }
  // The first rows of an example sheet.
  void Load(SheetId id, const std::string& example, int rows) {
    sheets::SheetTextReader(app->View().Sheets().Grid(id))
        .ReadSheetText(test::ExampleRows(example, rows));
  }
  QString Status() const { return app->frame->statusBar()->currentMessage(); }
  std::string Trace() const { return test::ReadBytes(dir / "trace.txt").value_or(""); }

  test::TempDir dir;
  std::unique_ptr<test::EcrsimProcess> sim;
  std::unique_ptr<test::AppFixture> app;
};

TEST_F(RegisterApp, AKeyPressedOrAWindowClosedDuringAnUploadIsThrownAway) {
  Start({"--baud", "9600"});
  Load(SheetId::Operators, "operators.txt", 3);
  app->View().SetCurrent(SheetId::Operators);
  GridWidget* grid = app->View().Grid(SheetId::Operators);
  grid->setFocus();
  grid->Table().SetFocusCell(5, 1);
  QTimer::singleShot(150, grid, [this, grid] {
    QCoreApplication::postEvent(grid,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    QCoreApplication::postEvent(grid,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x"));
    app->frame->close();
  });
  app->Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Status(), "3 items successfully sent!");
  QCoreApplication::processEvents();
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->Table().GetItemText(5, 1), "");
  EXPECT_TRUE(app->frame->isVisible());
}

TEST_F(RegisterApp, SendChangesSendsWhatTheMarksShowAndClearsThem) {
  Start();
  app->link.dataFolder = dir / "data";
  Load(SheetId::Articles, "articles.txt", 3);
  GridWidget* grid = app->View().Grid(SheetId::Articles);
  grid->setFocus();
  // Nothing known of the register yet: the whole sheet is offered, and sent.
  QString asked;
  app->ui.unknownHook = [&](const QString& text, bool offerReport) {
    asked = text;
    EXPECT_TRUE(offerReport);
    return UnknownChoice::SendWholeSheet;
  };
  app->Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(asked.startsWith("Nothing is known yet of what register 000001 holds in Articles"));
  EXPECT_EQ(Status(), "3 items successfully sent!");

  app->Trigger(Cmd::CompareWithRegister);
  EXPECT_EQ(app->frame->DifferencesPane()->text(), "No cell differs from register 000001");
  grid->Table().SetFocusCell(3, 3);
  app->Key(Qt::Key_1);
  app->Key(Qt::Key_Return);
  EXPECT_EQ(grid->MarkedCells(), (std::vector<grid::CellId>{{3, 3}}));
  EXPECT_EQ(app->frame->DifferencesPane()->text(), "1 cell differs from register 000001");
  app->Key(Qt::Key_F8);
  EXPECT_EQ(grid->Table().GetFocusCell(), (grid::CellId{3, 3}));

  app->Key(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Status(), "Changes sent: 1 item");
  EXPECT_TRUE(grid->MarkedCells().empty());
  EXPECT_NE(Trace().find("RX AA 30 30 30 30 30 31 72 30 30 30 33 22 22"), std::string::npos);
  EXPECT_TRUE(app->shown.empty()) << app->ShownTexts().join("|").toStdString();
}

TEST_F(RegisterApp, CtrlRFillsTheArticlesReportAndCtrlWTheReports) {
  test::WriteExampleState(dir / "state");
  Start({"--state", dir / "state"});
  app->View().Grid(SheetId::Articles)->setFocus();
  app->Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(app->View().Current(), SheetId::ArticlesReport);
  EXPECT_EQ(Status(), "Successfully read 3 items");
  EXPECT_EQ(app->View().Sheets().Grid(SheetId::ArticlesReport).GetItemText(1, 1), "Hleb beli 500g");

  app->Key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Status(), "Operation completed successfully");
  EXPECT_EQ(app->View().Current(), SheetId::DepartmentReport);
  EXPECT_TRUE(app->View().Reports()->toPlainText().startsWith("Daily report\n"));
  EXPECT_TRUE(app->View().Reports()->toPlainText().contains("Operator report 03"));

  // What the downloads filled goes back step by step.
  app->Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(app->View().Reports()->toPlainText(), "");
  EXPECT_EQ(app->View().Sheets().Grid(SheetId::DepartmentReport).GetItemText(1, 1), "");
  app->Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(app->View().Current(), SheetId::ArticlesReport);
  EXPECT_EQ(app->View().Sheets().Grid(SheetId::ArticlesReport).GetItemText(1, 1), "");
}

TEST_F(RegisterApp, TheReportsSavedFromTheWindowAreTheBytesTheCommandLineToolWrites) {
  Start();
  app->Key(Qt::Key_W, Qt::ControlModifier);
  ASSERT_EQ(Status(), "Operation completed successfully");
  app->View().SetCurrent(SheetId::Reports);
  app->dialogs.saveNames = {QString::fromStdString(dir / "window.txt")};
  app->Trigger(Cmd::SaveAs);

  const test::RunResult cli =
      test::RunProgram(NUVREL_CLI_PATH, {"--port", *sim->SlavePath(), "--settings", dir / "cli.ini",
                                         "report", "daily", dir / "cli.txt"});
  ASSERT_EQ(cli.status, 0) << cli.err;
  const std::string saved = test::ReadBytes(dir / "window.txt").value_or("");
  EXPECT_NE(saved.find("Daily report\r\n"), std::string::npos);
  EXPECT_EQ(saved, test::ReadBytes(dir / "cli.txt"));
}

TEST_F(RegisterApp, ADamagedReportLeavesTheSheetAndThePaneAsTheyWere) {
  // Frames: three per download; the second Ctrl+R and Ctrl+W get a damaged price of article 2 and
  // a damaged turnover of department 1.
  test::WriteExampleState(dir / "state");
  Start({"--state", dir / "state", "--fault", "flip-price@9:2", "--fault", "flip-turnover@12:25"});
  app->View().Grid(SheetId::Articles)->setFocus();
  app->Key(Qt::Key_R, Qt::ControlModifier);
  app->Key(Qt::Key_W, Qt::ControlModifier);
  ASSERT_TRUE(app->shown.empty()) << app->ShownTexts().join("|").toStdString();
  const auto& report = app->View().Sheets().Grid(SheetId::ArticlesReport);
  const std::string articles = sheets::SheetText(report);
  const QString pane = app->View().Reports()->toPlainText();
  ASSERT_TRUE(pane.startsWith("Daily report\n"));

  app->Key(Qt::Key_R, Qt::ControlModifier);
  app->Key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(
      app->ShownTexts(),
      (QStringList{"Damaged data in line 2 of the report (item 2)!\nNothing was stored.",
                   "Damaged data in line 25 of the report (subgroup 1)!\nNothing was stored."}));
  EXPECT_EQ(sheets::SheetText(report), articles);
  EXPECT_EQ(app->View().Reports()->toPlainText(), pane);
  EXPECT_EQ(app->View().Current(), SheetId::Reports);
  EXPECT_EQ(Status(), "Operation failed");
}

TEST_F(RegisterApp, ATimeOutIsShownOnceAndTheWindowStaysUsable) {
  Start({"--fault", "silence"});
  Load(SheetId::Operators, "operators.txt", 3);
  app->View().SetCurrent(SheetId::Operators);
  // The silent register's time-out passes on the fake clock; the next transfer runs on the real
  // one.
  test::FakeClock fake;
  app->link.clock = &fake;
  app->Key(Qt::Key_D, Qt::ControlModifier);
  app->link.clock = &app->link.pumpingClock;
  EXPECT_EQ(app->ShownTexts(), QStringList{"Timeout communicating with ECR!"});
  EXPECT_GT(fake.Elapsed(), link::kReplyTimeout);
  app->Key(Qt::Key_F6);
  EXPECT_EQ(app->View().Current(), SheetId::Departments);
  // The port was closed: the next transfer opens it again and succeeds.
  app->View().SetCurrent(SheetId::Operators);
  app->Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Status(), "3 items successfully sent!");
}

TEST_F(RegisterApp, TheCommunicationLogShowsEachFrameOnALineAndSavesItAsATrace) {
  Start();
  Load(SheetId::Operators, "operators.txt", 3);
  app->View().SetCurrent(SheetId::Operators);
  app->Trigger(Cmd::CommunicationLog);
  ASSERT_TRUE(app->frame->Log()->isVisible());
  app->Key(Qt::Key_D, Qt::ControlModifier);
  app->Key(Qt::Key_W, Qt::ControlModifier);

  const QStringList shown =
      app->frame->Log()->findChild<QPlainTextEdit*>()->toPlainText().split('\n');
  // An acknowledgement, with its text; a report line that came byte by byte is one line.
  EXPECT_TRUE(shown.contains(
      QRegularExpression(R"(^\d+\.\d{6} RX 06 30 30 30 30 30 31 3\S 3\S 0A   \.000001..\.$)")));
  EXPECT_TRUE(shown.contains(
      QRegularExpression(R"(^\d+\.\d{6} RX AA 30 30 30 30 30 31 47 .* 0A   .*000001G.*\.$)")));
  // Frames that came in one read are on lines of their own too.
  for (const QString& line : shown)
    EXPECT_FALSE(line.section("   ", 0, 0).contains(" 0A ")) << line.toStdString();

  app->dialogs.saveNames = {QString::fromStdString(dir / "log.txt")};
  app->frame->Log()->Save();
  const std::string saved = test::ReadBytes(dir / "log.txt").value_or("");
  std::istringstream lines(saved);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(\d+\.\d{6} ((TX|RX)( [0-9A-F]{2})+|-- .*))")))
        << line;
  }
  // Every byte, both ways, as the register saw it.
  EXPECT_EQ(test::TraceBytes(dir / "log.txt", "TX"), test::TraceBytes(dir / "trace.txt", "RX"));
  EXPECT_EQ(test::TraceBytes(dir / "log.txt", "RX"), test::TraceBytes(dir / "trace.txt", "TX"));
}

TEST_F(RegisterApp, EcrSetupMapsTheChosenComPortToAPortFoundAndGetInfoTriesIt) {
  Start();
  const std::string slave = *sim->SlavePath();
  link::RegisterIdentity identity;
  EcrSetupDialog dialog(1, link::PortMap::AllTo("/dev/nonexistent-nuvrel"),
                        {{"/dev/ttyS0", "ttyS0"}, {slave, "usb-Test_Adapter (pts)"}},
                        *app->link.ports, identity, app->ui);
  QComboBox* devices = dialog.DeviceList();
  ASSERT_EQ(devices->count(), 3);
  EXPECT_EQ(devices->currentText(), "/dev/nonexistent-nuvrel (not found)");
  EXPECT_EQ(devices->itemText(2), "usb-Test_Adapter (pts)");

  devices->setFocus();
  QTest::keyClick(devices, Qt::Key_Down);
  QTest::keyClick(devices, Qt::Key_Down);
  EXPECT_EQ(dialog.Ports().DeviceFor(2), slave);
  EXPECT_EQ(dialog.Ports().DeviceFor(1), "/dev/nonexistent-nuvrel");
  EXPECT_EQ(dialog.PortList()->itemText(1), QString::fromStdString("COM2    " + slave));
  dialog.GetInfo();
  EXPECT_EQ(dialog.SerialNumber(), "000001");
  EXPECT_EQ(dialog.Version(), "NV-2.21");
  EXPECT_EQ(dialog.Country(), "Serbia");

  // Another COM port shows its own device.
  dialog.PortList()->setCurrentIndex(0);
  EXPECT_EQ(devices->currentText(), "/dev/nonexistent-nuvrel (not found)");
  EXPECT_EQ(dialog.PortIndex(), 0);
  EXPECT_TRUE(dialog.PortList()->itemText(0).startsWith("COM1"));
}

TEST_F(RegisterApp, EcrSetupTakesATypedNetworkAddress) {
  Start();
  test::EcrsimProcess listening({"--listen", "127.0.0.1:0", "--serial", "42"});
  const std::string address = listening.FirstLine().value_or("").substr(21);
  ASSERT_EQ(address.rfind("tcp://127.0.0.1:", 0), 0u) << address;
  link::RegisterIdentity identity;
  EcrSetupDialog dialog(0, link::PortMap::AllTo("/dev/nonexistent-nuvrel"), {}, *app->link.ports,
                        identity, app->ui);
  QLineEdit* typed = dialog.DeviceList()->lineEdit();
  typed->selectAll();
  QTest::keyClicks(typed, QString::fromStdString(address));
  dialog.GetInfo();
  EXPECT_EQ(dialog.Ports().DeviceFor(1), address);
  EXPECT_EQ(dialog.PortList()->itemText(0), QString::fromStdString("COM1    " + address));
  EXPECT_EQ(dialog.SerialNumber(), "000042");
}

TEST_F(RegisterApp, TheLogoManagerSendsTheDefaultLogoAndRefusesTheBuiltInBitmap) {
  Start({"--state", dir / "state"});
  app::SettingsFile settings(dir / "nuvrel.ini");
  transfers::LogoState logo;
  LogoManagerDialog dialog(logo, settings, app->ui, app->link);
  EXPECT_TRUE(logo.builtIn);  // nothing remembered yet: the built-in bitmap
  EXPECT_FALSE(dialog.StartButton()->isEnabled());
  EXPECT_EQ(dialog.FileText(),
            "No file chosen: the built-in logo is shown. Choose a file with Load.");
  dialog.OnStart();
  EXPECT_EQ(app->ShownTexts(), QStringList{"Please select a file!"});

  app->shown.clear();
  const std::string file = dir / "tiny.bmp";
  // 94 bytes: fewer chunks than the progress bar has steps.
  test::WriteBytes(file, test::TinyLogo(8));
  dialog.chooseFile = [&] { return std::optional<QString>(QString::fromStdString(file)); };
  dialog.OnLoad();
  EXPECT_EQ(dialog.InfoText(), "Width: 8    Height: 8    Colors: 2");
  EXPECT_EQ(dialog.FileText(), "File: tiny.bmp");
  EXPECT_TRUE(dialog.StartButton()->isEnabled());
  dialog.OnStart();
  EXPECT_TRUE(app->shown.empty()) << app->ShownTexts().join("|").toStdString();
  EXPECT_EQ(dialog.StatusText(), "The logo tiny.bmp was sent to the ECR.");
  EXPECT_EQ(dialog.Progress()->value(), dialog.Progress()->maximum());
  EXPECT_TRUE(dialog.StartButton()->isEnabled());
  EXPECT_EQ(test::ReadBytes(dir / "state/logo.bmp"), test::TinyLogo(8));
  EXPECT_EQ(app::LogoPath(settings), file);
}

}  // namespace
}  // namespace nuvrel::gui
