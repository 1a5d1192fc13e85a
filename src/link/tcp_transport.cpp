// SPDX-License-Identifier: MIT
#include "link/tcp_transport.h"

#include <algorithm>
#include <array>

#include "app/format.h"
#include "app/strings.h"

namespace nuvrel::link {
namespace {

// Purge drops at most this much of what is still arriving, so a server that streams without end
// cannot keep it busy.
constexpr std::size_t kPurgeLimit = 64 * 1024;

}  // namespace

StreamTransport::StreamTransport(std::unique_ptr<NetStream> stream, std::string address,
                                 std::string warning)
    : m_stream(std::move(stream)), m_address(std::move(address)), m_warning(std::move(warning)) {
  m_line.reserve(kBufferLimit);
}

bool StreamTransport::Write(std::span<const std::uint8_t> bytes) {
  return m_stream->Send(bytes);
}

void StreamTransport::Take(std::span<const std::uint8_t> received,
                           std::vector<std::uint8_t>& line) {
  line.insert(line.end(), received.begin(), received.end());
}

void StreamTransport::Fill(std::chrono::milliseconds timeout) {
  if (m_first == m_line.size()) {
    m_line.clear();
    m_first = 0;
  } else if (m_first > 0 && m_line.size() == kBufferLimit) {
    m_line.erase(m_line.begin(), m_line.begin() + static_cast<std::ptrdiff_t>(m_first));
    m_first = 0;
  }
  const std::size_t room = kBufferLimit - m_line.size();
  if (room == 0) return;
  std::array<std::uint8_t, kBufferLimit> received{};
  const std::size_t got = m_stream->Receive(std::span(received).first(room), timeout);
  if (got > 0) Take(std::span(received).first(got), m_line);
}

std::size_t StreamTransport::ReadAvailable(std::span<std::uint8_t> out) {
  if (out.empty()) return 0;
  if (Waiting() == 0) Fill(std::chrono::milliseconds::zero());
  const std::size_t n = std::min(out.size(), Waiting());
  std::copy_n(m_line.begin() + static_cast<std::ptrdiff_t>(m_first), n, out.begin());
  m_first += n;
  return n;
}

void StreamTransport::DropWaiting() {
  m_line.clear();
  m_first = 0;
}

void StreamTransport::Purge() {
  std::size_t dropped = 0;
  do {
    dropped += Waiting();
    DropWaiting();
    Fill(std::chrono::milliseconds::zero());
  } while (Waiting() > 0 && dropped < kPurgeLimit);
  DropWaiting();
}

WaitResult StreamTransport::WaitReadable(Clock::Duration timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (Waiting() > 0) return WaitResult::Readable;
    if (m_stream->Ended()) return WaitResult::HungUp;
    const auto left = deadline - std::chrono::steady_clock::now();
    // Bytes that bring no line data (a Telnet command) go on waiting for the rest of the time.
    Fill(std::max(std::chrono::milliseconds::zero(),
                  std::chrono::ceil<std::chrono::milliseconds>(left)));
    if (Waiting() > 0) return WaitResult::Readable;
    if (m_stream->Ended()) return WaitResult::HungUp;
    if (std::chrono::steady_clock::now() >= deadline) return WaitResult::TimedOut;
  }
}

std::string StreamTransport::LostReason() const {
  if (!m_stream->Ended()) return {};
  return app::Format(app::Sid::PortDeviceHint, {m_address, m_stream->Problem()});
}

}  // namespace nuvrel::link
