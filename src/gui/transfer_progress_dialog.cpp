// SPDX-License-Identifier: MIT
#include "gui/transfer_progress_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/strings.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

constexpr int kTickMs = 500;

}  // namespace

TransferProgressDialog::TransferProgressDialog(QWidget* parent)
    : QDialog(parent),
      m_what(new QLabel(this)),
      m_count(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_times(new QLabel(this)),
      m_cancel(new QPushButton("Cancel", this)) {
  setWindowTitle(FromUtf8(app::Text(app::Sid::AppTitle)));
  // Modal, but shown without a loop of its own: the transfer runs on and pumps the events.
  setWindowModality(Qt::ApplicationModal);
  setMinimumWidth(380);
  m_bar->setTextVisible(false);
  m_count->setObjectName("count");
  m_cancel->setAutoDefault(false);
  connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_what);
  layout->addWidget(m_count);
  layout->addWidget(m_bar);
  layout->addWidget(m_times);
  layout->addWidget(buttons);

  m_tick.setInterval(kTickMs);
  connect(&m_tick, &QTimer::timeout, this, [this] { ShowTimes(); });
}

QString TransferProgressDialog::Duration(qint64 seconds) {
  return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

void TransferProgressDialog::Show(const app::Progress& progress) {
  if (!m_elapsed.isValid()) m_elapsed.start();
  if (progress.done != m_done || progress.done == 0) m_lastItemMs = m_elapsed.elapsed();
  m_done = progress.done;
  m_total = progress.total;
  m_what->setText(FromUtf8(progress.what));
  if (m_total > 0) {
    m_count->setText(QString("%1 of %2").arg(m_done).arg(m_total));
    m_bar->setRange(0, static_cast<int>(m_total));
    m_bar->setValue(static_cast<int>(std::min(m_done, m_total)));
  } else {
    // The total is not known (a report): the count and the clock show that it moves. A busy bar
    // would animate, and cost processor time, for the whole of a long report.
    m_count->setText(QString("%1 read").arg(m_done));
  }
  m_bar->setVisible(m_total > 0);
  ShowTimes();
  if (!isVisible()) {
    show();
    m_tick.start();
  }
}

void TransferProgressDialog::ShowTimes() {
  const qint64 ms = m_elapsed.isValid() ? m_elapsed.elapsed() : 0;
  QString text = Duration(ms / 1000) + " elapsed";
  if (m_total > 0 && m_done > 0 && m_done < m_total) {
    // The rate so far, carried to the items still to go.
    const qint64 left = m_lastItemMs * (m_total - m_done) / m_done;
    text += ", about " + Duration((left + 999) / 1000) + " left";
  }
  m_times->setText(text);
}

void TransferProgressDialog::Cancel() {
  if (m_stop) return;
  m_stop = true;
  m_cancel->setEnabled(false);
  m_cancel->setText("Stopping...");
}

void TransferProgressDialog::reject() {
  Cancel();
}

}  // namespace nuvrel::gui
