// SPDX-License-Identifier: MIT
#include "support/scripted_port.h"

#include <algorithm>

namespace nuvrel::test {

void ScriptedPort::Arrive(const link::Bytes& bytes, link::Clock::Duration after) {
  const auto at = m_clock.Now() + after;
  for (std::uint8_t b : bytes) m_arrivals.push_back({at, b});
  std::stable_sort(m_arrivals.begin(), m_arrivals.end(),
                   [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
}

std::size_t ScriptedPort::Unread() const {
  return static_cast<std::size_t>(
      std::count_if(m_arrivals.begin(), m_arrivals.end(),
                    [&](const Arrival& a) { return a.at <= m_clock.Now(); }));
}

bool ScriptedPort::Write(std::span<const std::uint8_t> bytes) {
  if (m_failWrites || HungUp()) return false;
  m_written.emplace_back(bytes.begin(), bytes.end());
  if (m_responder) m_responder(*this, m_written.back());
  return true;
}

std::size_t ScriptedPort::ReadAvailable(std::span<std::uint8_t> out) {
  std::size_t n = 0;
  while (n < out.size() && !m_arrivals.empty() && m_arrivals.front().at <= m_clock.Now() &&
         (!m_hangUpAt || m_arrivals.front().at < *m_hangUpAt)) {
    out[n++] = m_arrivals.front().byte;
    m_arrivals.pop_front();
  }
  return n;
}

void ScriptedPort::Purge() {
  while (!m_arrivals.empty() && m_arrivals.front().at <= m_clock.Now()) m_arrivals.pop_front();
}

link::WaitResult ScriptedPort::WaitReadable(link::Clock::Duration timeout) {
  const auto deadline = m_clock.Now() + std::max(timeout, link::Clock::Duration::zero());
  auto next = m_arrivals.empty() ? std::optional<link::Clock::TimePoint>{} : m_arrivals.front().at;
  if (m_hangUpAt && (!next || *m_hangUpAt <= *next)) {
    if (*m_hangUpAt <= deadline) {
      if (m_clock.Now() < *m_hangUpAt) m_clock.Advance(*m_hangUpAt - m_clock.Now());
      return link::WaitResult::HungUp;
    }
    next.reset();
  }
  if (next && *next <= deadline) {
    if (m_clock.Now() < *next) m_clock.Advance(*next - m_clock.Now());
    return link::WaitResult::Readable;
  }
  m_clock.Advance(deadline - m_clock.Now());
  return link::WaitResult::TimedOut;
}

}  // namespace nuvrel::test
