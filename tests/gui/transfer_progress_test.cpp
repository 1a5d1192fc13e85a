// SPDX-License-Identifier: MIT
// The progress dialog of a transfer from the window, against a register on a 9600-baud line: it
// advances, its Cancel stops the upload between records, and Send the rest finishes the sheet.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include "app_fixture.h"
#include "gui/grid_widget.h"
#include "gui/transfer_progress_dialog.h"
#include "modal_answers.h"
#include "sheets/sheet_file.h"
#include "support/ecrsim_process.h"
#include "support/example_state.h"
#include "support/sim_files.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

// The articles the simulated register keeps in its state folder.
int StoredArticles(const std::string& dir) {
  return static_cast<int>(test::StateLines(dir + "/articles.txt").size());
}

TEST(TransferProgress, CancelStopsTheUploadBetweenRecordsAndSendTheRestFinishesIt) {
  test::TempDir dir;
  const std::string state = dir / "state";
  test::EcrsimProcess sim({"--serial", "1", "--baud", "9600", "--state", state});
  const auto device = sim.SlavePath();
  ASSERT_TRUE(device.has_value());
  test::AppFixture app(*device);
  sheets::SheetTextReader(app.Sheet(SheetId::Articles))
      .ReadSheetText(test::ExampleRows("articles.txt", 5));
  app.View().Grid(SheetId::Articles)->setFocus();

  // Watches the dialog as a person would, and presses Cancel once two articles have gone.
  QStringList counts;
  QTimer watch;
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<TransferProgressDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    const QString count = dialog->findChild<QLabel*>("count")->text();
    if (counts.isEmpty() || counts.back() != count) counts << count;
    auto* cancel = dialog->findChild<QPushButton*>();
    if (count == "2 of 5" && cancel->isEnabled()) test::ModalAnswers::ClickButton(cancel);
  });
  watch.start();
  app.Key(Qt::Key_D, Qt::ControlModifier);
  watch.stop();

  EXPECT_EQ(counts.mid(0, 3), (QStringList{"0 of 5", "1 of 5", "2 of 5"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The record on the line when Cancel came is finished; then the upload is closed.
  const QString status = app.frame->statusBar()->currentMessage();
  const QRegularExpressionMatch stopped =
      QRegularExpression("^Stopped after (\\d+) of 5 items").match(status);
  ASSERT_TRUE(stopped.hasMatch()) << status.toStdString();
  const int sent = stopped.captured(1).toInt();
  EXPECT_TRUE(sent == 2 || sent == 3) << sent;
  EXPECT_EQ(StoredArticles(state), sent);
  EXPECT_TRUE(app.shown.empty());

  // The rest goes from the first row the register did not take.
  ASSERT_TRUE(app.frame->Action(Cmd::SendRest)->isEnabled());
  app.Key(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(app.frame->statusBar()->currentMessage(),
            QString("%1 items successfully sent!").arg(5 - sent));
  EXPECT_EQ(StoredArticles(state), 5);
  EXPECT_FALSE(app.frame->Action(Cmd::SendRest)->isEnabled());
}

TEST(TransferProgress, ARunOfFastRecordsEndsWithItsLastStatusAndRowShown) {
  // Records far faster than the window repaints: the status and the scrolling skip some, but
  // what stands at the end is what the window shows.
  test::AppFixture app;
  app.View().SetCurrent(SheetId::ArticlesReport);
  grid::CellTable& table = app.Sheet(SheetId::ArticlesReport);
  const int last = table.GetRowCount() - 1;
  app.ui.RunTransfer([&] {
    for (int row = 1; row <= last; ++row) {
      app.ui.SetRecordStatus("Read item " + std::to_string(row));
      app.ui.PumpPaintMessages();
      app.ui.ShowProgress({"Reading", static_cast<unsigned>(row), 0});
      app.ui.EnsureVisible(table, row, 1);
    }
    return true;
  });
  EXPECT_EQ(app.frame->statusBar()->currentMessage(), QString("Read item %1").arg(last));
  const QScrollBar* rows = app.View().Grid(SheetId::ArticlesReport)->verticalScrollBar();
  EXPECT_EQ(rows->value(), rows->maximum());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace nuvrel::gui
