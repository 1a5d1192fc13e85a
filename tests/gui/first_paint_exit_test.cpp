// SPDX-License-Identifier: MIT
// The start-up timing option ends the program only after its window has been painted, children
// and all.
#include "gui/first_paint_exit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

namespace nuvrel::gui {
namespace {

class CountingWidget final : public QWidget {
 public:
  using QWidget::QWidget;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(FirstPaintExit, EndsTheEventLoopAfterTheWindowAndItsContentArePainted) {
  QMainWindow window;
  auto* content = new CountingWidget;
  window.setCentralWidget(content);
  window.resize(300, 200);
  const auto* exit = new FirstPaintExit(window);
  window.show();
  if (!exit->Painted()) {
    EXPECT_EQ(QApplication::exec(), 0);
  }
  EXPECT_TRUE(exit->Painted());
  EXPECT_GE(content->paints, 1);
}

}  // namespace
}  // namespace nuvrel::gui
