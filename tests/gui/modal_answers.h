// SPDX-License-Identifier: MIT
// Answers the modal windows the program raises, one after the other, as a person would: once a
// window is up, a key or a click on one of its buttons arrives as a posted event, through the same
// event queue and filters as the person's input. The texts of the message boxes are kept.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

namespace nuvrel::test {

class ModalAnswers {
 public:
  // A key pressed in the window, a click on its button with this text (without the '&'), or
  // something done to the window by the test (which then closes it, or leaves it open for the
  // test to look at after it is closed some other way).
  struct Answer {
    Qt::Key key = Qt::Key_unknown;
    QString button;
    std::function<void(QWidget*)> act;
  };
  static Answer Press(Qt::Key key) { return {key, {}, {}}; }
  static Answer Click(const QString& button) { return {Qt::Key_unknown, button, {}}; }
  static Answer Act(std::function<void(QWidget*)> act) { return {Qt::Key_unknown, {}, act}; }

  explicit ModalAnswers(std::initializer_list<Answer> answers)
      : m_answers(answers), m_last(QApplication::activeModalWidget()) {
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start();
  }
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // A click on the button, posted as the person's would be.
  static void ClickButton(QAbstractButton* button) {
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(
        button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        button, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier));
  }

  // The texts of the message boxes answered so far, in order.
  const QStringList& Texts() const { return m_texts; }
  // Whether every answer was given.
  bool AllGiven() const { return m_answers.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A window already answered (and still closing) is not asked twice.
    if (!modal || modal == m_last || !modal->isVisible() || m_answers.empty()) return;
    m_last = modal;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) m_texts << box->text();
    if (answer.act) {
      answer.act(modal);
      return;
    }
    if (answer.button.isEmpty()) {
      QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
      QCoreApplication::postEvent(target,
                                  new QKeyEvent(QEvent::KeyPress, answer.key, Qt::NoModifier));
      QCoreApplication::postEvent(target,
                                  new QKeyEvent(QEvent::KeyRelease, answer.key, Qt::NoModifier));
      return;
    }
    for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
      if (button->text().remove('&') != answer.button) continue;
      ClickButton(button);
      return;
    }
    ADD_FAILURE() << "no button " << answer.button.toStdString() << " in the modal window";
  }

  std::deque<Answer> m_answers;
  QPointer<QWidget> m_last;
  QTimer m_timer;
  QStringList m_texts;
};

}  // namespace nuvrel::test
