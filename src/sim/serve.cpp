// SPDX-License-Identifier: MIT
#include "sim/serve.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <span>

#include "sim/line_reader.h"
#include "sim/logo.h"

namespace nuvrel::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A reply that nobody takes off the line for this long is dropped, as a real line would lose it.
constexpr std::chrono::seconds kStuckLimit{2};

// Waits until one of the descriptors is ready or the deadline passes (none: wait for ever).
// Returns poll's count: 0 when the deadline passed, -1 on failure.
int WaitFor(std::span<pollfd> fds, std::optional<Clock::time_point> deadline) {
  for (;;) {
    timespec left{};
    timespec* timeout = nullptr;
    if (deadline) {
      const auto rest = std::max(Clock::duration::zero(), *deadline - Clock::now());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(rest).count();
      left.tv_sec = static_cast<time_t>(ns / 1000000000);
      left.tv_nsec = static_cast<long>(ns % 1000000000);
      timeout = &left;
    }
    const int ready = ::ppoll(fds.data(), static_cast<nfds_t>(fds.size()), timeout, nullptr);
    if (ready < 0 && errno == EINTR) continue;  // the stop pipe tells the rest
    return ready;
  }
}

enum class WriteEnd { Done, Stopped, Dropped, Failed };

struct WriteResult {
  WriteEnd end = WriteEnd::Done;
  std::size_t written = 0;  // bytes that went out
  std::string error;        // for Failed
};

// The sending side of the line: writes blocks, paced when a rate is given, one after the other.
class LineWriter {
 public:
  LineWriter(int masterFd, int stopFd, std::uint32_t baud)
      : m_master(masterFd), m_stop(stopFd), m_byteTime(ByteTime(baud)) {}

  // The next block starts no sooner than this (when paced).
  void HoldUntil(Clock::time_point when) {
    if (m_byteTime.count() > 0) m_freeAt = std::max(m_freeAt, when);
  }

  // The time the bytes take on the line.
  Clock::duration WireTime(std::size_t bytes) const {
    return std::chrono::duration_cast<Clock::duration>(m_byteTime * static_cast<long>(bytes));
  }

  // Writes the block after the ones before it.
  WriteResult Write(std::span<const std::uint8_t> bytes) {
    const bool paced = m_byteTime.count() > 0;
    const Clock::time_point start = std::max(Clock::now(), m_freeAt);
    std::size_t written = 0;
    auto end = [&written](WriteEnd how, std::string error = {}) {
      return WriteResult{how, written, std::move(error)};
    };
    while (written < bytes.size()) {
      std::size_t due = bytes.size();
      if (paced) {
        // Byte i is taken off the line when its stop bit has gone: at start + (i + 1) byte times.
        const Clock::time_point now = Clock::now();
        due = now < start ? 0
                          : std::min<std::size_t>(
                                bytes.size(), static_cast<std::size_t>((now - start) / m_byteTime));
        if (due <= written) {
          std::array<pollfd, 1> fds{{{m_stop, POLLIN, 0}}};
          const auto next = start + m_byteTime * static_cast<long>(written + 1);
          const int ready = WaitFor(fds, std::chrono::time_point_cast<Clock::duration>(next));
          if (ready < 0) return end(WriteEnd::Failed, Failure("poll"));
          if (ready > 0) return end(WriteEnd::Stopped);
          continue;
        }
      }
      const ssize_t n = ::write(m_master, bytes.data() + written, due - written);
      if (n > 0) {
        written += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        return end(WriteEnd::Failed, Failure("write"));
      }
      // The slave's input queue is full: nobody reads the line at the moment.
      std::array<pollfd, 2> fds{{{m_master, POLLOUT, 0}, {m_stop, POLLIN, 0}}};
      const int ready = WaitFor(fds, Clock::now() + kStuckLimit);
      if (ready < 0) return end(WriteEnd::Failed, Failure("poll"));
      if (ready == 0) return end(WriteEnd::Dropped);
      if (fds[1].revents != 0) return end(WriteEnd::Stopped);
    }
    m_freeAt = paced ? start + m_byteTime * static_cast<long>(bytes.size()) : Clock::now();
    return end(WriteEnd::Done);
  }

 private:
  static std::string Failure(const char* what) {
    return std::string(what) + " on the line: " + std::strerror(errno);
  }

  int m_master;
  int m_stop;
  std::chrono::nanoseconds m_byteTime;
  Clock::time_point m_freeAt{};
};

}  // namespace

std::chrono::nanoseconds ByteTime(std::uint32_t baud) {
  if (baud == 0) return std::chrono::nanoseconds::zero();
  return std::chrono::nanoseconds(10'000'000'000LL / baud);
}

ServeResult Serve(int masterFd, int stopFd, Register& reg, const ServeSettings& settings) {
  LineWriter writer(masterFd, stopFd, settings.baud);
  LineReader reader(masterFd, ByteTime(settings.baud));
  std::optional<Clock::time_point> ackDeadline;
  std::optional<Clock::time_point> logoDeadline;
  std::array<std::uint8_t, 4096> buffer{};

  auto report = [&settings](const std::string& text) {
    if (settings.report) settings.report(text);
    if (settings.trace) settings.trace->Note(text);
  };

  // Carries out the actions in order; a result means the loop ends.
  auto run = [&](const std::vector<Action>& actions) -> std::optional<ServeResult> {
    for (const Action& action : actions) {
      switch (action.kind) {
        case ActionKind::Send: {
          const WriteResult result = writer.Write(action.bytes);
          if (settings.trace) settings.trace->Sent(std::span(action.bytes).first(result.written));
          if (result.end == WriteEnd::Stopped) return ServeResult{ServeEnd::Stopped, {}};
          if (result.end == WriteEnd::Failed) return ServeResult{ServeEnd::Failed, result.error};
          if (result.end == WriteEnd::Dropped) {
            report("nobody reads the line: dropped " +
                   std::to_string(action.bytes.size() - result.written) + " bytes of a reply");
          }
          break;
        }
        case ActionKind::Note: report(action.text); break;
        case ActionKind::AwaitPcAck: ackDeadline = Clock::now() + kPcAckWait; break;
        case ActionKind::HangUp: return ServeResult{ServeEnd::HungUp, {}};
        case ActionKind::Save:
          if (settings.save) {
            if (auto error = settings.save(reg.Tables(), action.table)) report(*error);
          }
          break;
        case ActionKind::Pace:
          // A frame that arrived before anything was timed (no arrival time) is not held.
          if (action.arrivedAt != TimePoint{}) {
            writer.HoldUntil(action.arrivedAt + writer.WireTime(action.frameSize));
          }
          break;
      }
    }
    return std::nullopt;
  };

  for (;;) {
    // While a burst is on the line the next byte is taken when it is due, not when it is readable.
    const std::optional<Clock::time_point> due = reader.NextDue();
    std::array<pollfd, 2> fds{
        {{masterFd, static_cast<short>(due ? 0 : POLLIN), 0}, {stopFd, POLLIN, 0}}};
    std::optional<Clock::time_point> deadline = ackDeadline;
    if (logoDeadline && (!deadline || *logoDeadline < *deadline)) deadline = logoDeadline;
    if (due && (!deadline || *due < *deadline)) deadline = due;
    const int ready = WaitFor(fds, deadline);
    if (ready < 0) return {ServeEnd::Failed, std::string("poll: ") + std::strerror(errno)};
    if (fds[1].revents != 0) return {ServeEnd::Stopped, {}};

    if ((fds[0].revents & POLLIN) != 0 || (due && Clock::now() >= *due)) {
      const ssize_t got = reader.Read(buffer, Clock::now());
      if (got > 0) {
        const std::span<const std::uint8_t> received(buffer.data(), static_cast<std::size_t>(got));
        if (settings.trace) settings.trace->Received(received);
        if (auto end = run(reg.Feed(received, Clock::now()))) return *end;
        // Every byte of a logo restarts the wait for the next.
        logoDeadline.reset();
        if (reg.ReceivingLogo()) logoDeadline = Clock::now() + kLogoSilence;
      } else if (got < 0) {
        return {ServeEnd::Failed, std::string("read on the line: ") + std::strerror(errno)};
      } else if (reader.Closed()) {
        return {ServeEnd::Closed, "the line closed"};
      }
    } else if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      // Cannot happen while the slave is held open; ending beats spinning on it.
      return {ServeEnd::Failed, "the line hung up"};
    }

    if (ackDeadline && Clock::now() >= *ackDeadline && reg.AwaitingPcAck()) {
      if (auto end = run(reg.PcAckTimedOut())) return *end;
    }
    if (!reg.AwaitingPcAck()) ackDeadline.reset();
    if (logoDeadline && Clock::now() >= *logoDeadline) {
      logoDeadline.reset();
      if (auto end = run(reg.LogoTimedOut())) return *end;
    }
  }
}

}  // namespace nuvrel::sim
