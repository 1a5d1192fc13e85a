// SPDX-License-Identifier: MIT
#include "gui/pumping_link.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <future>
#include <thread>

namespace nuvrel::gui {
namespace {

// Blocks up to this size take at most a few slices on a 9600-baud line.
constexpr std::size_t kDirectWrite = 256;

class PumpingTransport final : public link::Transport {
 public:
  explicit PumpingTransport(std::unique_ptr<link::Transport> inner) : m_inner(std::move(inner)) {}

  // A block that takes long on the line (a large logo chunk drains at 960 bytes a second) is
  // written by a worker thread while the window keeps answering; short frames are written directly.
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (bytes.size() <= kDirectWrite) return m_inner->Write(bytes);
    std::future<bool> written =
        std::async(std::launch::async, [this, bytes] { return m_inner->Write(bytes); });
    while (written.wait_for(kPumpSlice) != std::future_status::ready) PumpWindowEvents();
    PumpWindowEvents();  // what the worker queued for the window (the log's entry)
    return written.get();
  }
  std::size_t ReadAvailable(std::span<std::uint8_t> out) override {
    return m_inner->ReadAvailable(out);
  }
  void Purge() override { m_inner->Purge(); }
  std::string LostReason() const override { return m_inner->LostReason(); }
  std::string OpenWarning() const override { return m_inner->OpenWarning(); }

  link::WaitResult WaitReadable(link::Clock::Duration timeout) override {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      const auto left = deadline - std::chrono::steady_clock::now();
      const auto slice =
          std::clamp<link::Clock::Duration>(left, link::Clock::Duration::zero(), kPumpSlice);
      const link::WaitResult result = m_inner->WaitReadable(slice);
      if (result != link::WaitResult::TimedOut || left <= kPumpSlice) return result;
      PumpWindowEvents();
    }
  }

 private:
  std::unique_ptr<link::Transport> m_inner;
};

}  // namespace

void PumpWindowEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

link::Clock::TimePoint PumpingClock::Now() {
  return std::chrono::steady_clock::now();
}

// The window's own event loop does the waiting, so the program wakes only for what the window
// must answer (input, paints) and once when the time is up, not every slice.
void PumpingClock::SleepFor(Duration d) {
  const auto deadline = Now() + d;
  if (d > Duration::zero()) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(std::chrono::ceil<std::chrono::milliseconds>(d));
    loop.exec();
  }
  // A timer may fire a moment early, and a loop may return at once while the program quits: the
  // rest of the pause is slept out all the same, since the register counts on it.
  const auto left = deadline - Now();
  if (left > Duration::zero()) std::this_thread::sleep_for(left);
}

std::unique_ptr<link::Transport> PumpingPortOpener::Open(std::uint32_t portNumber,
                                                         link::OpenFailure& failure) {
  std::unique_ptr<link::Transport> port = m_inner.Open(portNumber, failure);
  if (!port) return nullptr;
  return std::make_unique<PumpingTransport>(std::move(port));
}

}  // namespace nuvrel::gui
