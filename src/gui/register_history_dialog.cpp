// SPDX-License-Identifier: MIT
#include "gui/register_history_dialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "app/format.h"
#include "app/strings.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

app::Sid SourceText(transfers::StateSource source) {
  switch (source) {
    case transfers::StateSource::Sent: return app::Sid::StateSent;
    case transfers::StateSource::Selection: return app::Sid::StateSelection;
    case transfers::StateSource::Changes: return app::Sid::StateChanges;
    case transfers::StateSource::Report: return app::Sid::StateReport;
  }
  return app::Sid::StateSent;
}

QString DeviceText(std::uint32_t device) {
  return QString("%1").arg(device, 6, 10, QChar('0'));
}

}  // namespace

QString StateTimeText(std::int64_t msSinceEpoch) {
  return QDateTime::fromMSecsSinceEpoch(msSinceEpoch).toString("yyyy-MM-dd HH:mm:ss");
}

RegisterHistoryDialog::RegisterHistoryDialog(std::vector<transfers::RecordedState> states,
                                             std::uint32_t device, QWidget* parent)
    : QDialog(parent),
      m_states(std::move(states)),
      m_devices(new QComboBox(this)),
      m_list(new QTreeWidget(this)),
      m_open(nullptr) {
  setWindowTitle(FromUtf8(app::Text(app::Sid::HistoryTitle)));
  std::sort(m_states.begin(), m_states.end(),
            [](const auto& a, const auto& b) { return a.msSinceEpoch > b.msSinceEpoch; });
  std::set<std::uint32_t> devices;
  for (const auto& state : m_states) devices.insert(state.device);
  for (const std::uint32_t each : devices) m_devices->addItem(DeviceText(each), each);
  m_devices->setCurrentIndex(std::max(0, m_devices->findData(device)));
  auto* label = new QLabel(FromUtf8(app::Text(app::Sid::HistoryRegister)), this);
  label->setBuddy(m_devices);

  m_list->setRootIsDecorated(false);
  m_list->setHeaderLabels(
      {FromUtf8(app::Text(app::Sid::HistoryTime)), FromUtf8(app::Text(app::Sid::HistorySheet)),
       FromUtf8(app::Text(app::Sid::HistoryWhat)), FromUtf8(app::Text(app::Sid::HistoryRows))});
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_list->setMinimumSize(520, 300);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_open =
      buttons->addButton(FromUtf8(app::Text(app::Sid::HistoryOpen)), QDialogButtonBox::AcceptRole);
  m_open->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(m_list, &QTreeWidget::currentItemChanged, this,
          [this] { m_open->setEnabled(m_list->currentItem() != nullptr); });
  connect(m_devices, &QComboBox::currentIndexChanged, this, &RegisterHistoryDialog::ShowDevice);

  auto* top = new QHBoxLayout;
  top->addWidget(label);
  top->addWidget(m_devices, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_list);
  layout->addWidget(buttons);
  ShowDevice();
}

void RegisterHistoryDialog::ShowDevice() {
  m_list->clear();
  const std::uint32_t device = m_devices->currentData().toUInt();
  for (std::size_t i = 0; i < m_states.size(); ++i) {
    const transfers::RecordedState& state = m_states[i];
    if (state.device != device) continue;
    auto* item = new QTreeWidgetItem(
        m_list, {StateTimeText(state.msSinceEpoch),
                 FromUtf8(app::Text(app::SheetCaption(sheets::Index(state.sheet)))),
                 FromUtf8(app::Text(SourceText(state.source))), QString::number(state.rows)});
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    item->setTextAlignment(3, Qt::AlignRight);
  }
  m_list->setCurrentItem(m_list->topLevelItem(0));
  m_open->setEnabled(m_list->currentItem() != nullptr);
}

std::optional<transfers::RecordedState> RegisterHistoryDialog::Chosen() const {
  const QTreeWidgetItem* item = m_list->currentItem();
  if (!item) return std::nullopt;
  return m_states[item->data(0, Qt::UserRole).toULongLong()];
}

}  // namespace nuvrel::gui
