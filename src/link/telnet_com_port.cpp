// SPDX-License-Identifier: MIT
#include "link/telnet_com_port.h"

#include <thread>

#include "app/strings.h"
#include "link/trace.h"

namespace nuvrel::link {
namespace telnet {

void Decoder::Feed(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& line,
                   std::vector<Command>& commands) {
  for (const std::uint8_t b : in) {
    switch (m_state) {
      case State::Data:
        if (b == kIac) {
          m_state = State::Iac;
        } else {
          line.push_back(b);
        }
        break;
      case State::Iac:
        if (b == kIac) {
          line.push_back(b);
          m_state = State::Data;
        } else if (b >= kWill && b <= kDont) {
          m_command = Command{b, 0, {}};
          m_state = State::Verb;
        } else if (b == kSb) {
          m_state = State::SubOption;
        } else {
          m_state = State::Data;  // NOP, GA, a data mark and the like carry nothing here
        }
        break;
      case State::Verb:
        m_command.option = b;
        commands.push_back(m_command);
        m_state = State::Data;
        break;
      case State::SubOption:
        m_command = Command{kSb, b, {}};
        m_overflow = false;
        m_state = State::Sub;
        break;
      case State::Sub:
        if (b == kIac) {
          m_state = State::SubIac;
        } else if (m_command.value.size() < kSubLimit) {
          m_command.value.push_back(b);
        } else {
          m_overflow = true;
        }
        break;
      case State::SubIac:
        if (b == kIac) {
          if (m_command.value.size() < kSubLimit) {
            m_command.value.push_back(b);
          } else {
            m_overflow = true;
          }
          m_state = State::Sub;
        } else {
          // IAC SE ends it; anything else after IAC is a broken subnegotiation, dropped.
          if (b == kSe && !m_overflow) commands.push_back(m_command);
          m_command.value.clear();
          m_state = State::Data;
        }
        break;
    }
  }
}

Bytes Escape(std::span<const std::uint8_t> bytes) {
  Bytes out;
  out.reserve(bytes.size() + 8);
  for (const std::uint8_t b : bytes) {
    out.push_back(b);
    if (b == kIac) out.push_back(kIac);
  }
  return out;
}

Bytes ComPortFrame(std::uint8_t command, std::span<const std::uint8_t> value) {
  Bytes out{kIac, kSb, kComPort, command};
  const Bytes escaped = Escape(value);
  out.insert(out.end(), escaped.begin(), escaped.end());
  out.push_back(kIac);
  out.push_back(kSe);
  return out;
}

}  // namespace telnet

namespace {

using namespace telnet;

Bytes Control(std::uint8_t value) {
  return ComPortFrame(kSetControl, std::span(&value, 1));
}

void Append(Bytes& to, const Bytes& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// The option codes of the line's parity and stop bits.
std::uint8_t ParityCode(Parity parity) {
  switch (parity) {
    case Parity::None: return 1;
    case Parity::Odd: return 2;
    case Parity::Even: return 3;
    case Parity::Mark: return 4;
    case Parity::Space: return 5;
  }
  return 1;
}
std::uint8_t StopCode(StopBits stopBits) {
  switch (stopBits) {
    case StopBits::One: return 1;
    case StopBits::Two: return 2;
    case StopBits::OneAndHalf: return 3;
  }
  return 1;
}

}  // namespace

TelnetComPort::TelnetComPort(std::unique_ptr<NetStream> stream, std::string address,
                             std::string warning, const LineSettings& settings, TraceLog* trace)
    : StreamTransport(std::move(stream), std::move(address), std::move(warning)),
      m_byteTime(ByteTime(settings)),
      m_trace(trace) {}

std::unique_ptr<TelnetComPort> TelnetComPort::Start(std::unique_ptr<NetStream> stream,
                                                    std::string address, std::string warning,
                                                    const LineSettings& settings,
                                                    std::chrono::milliseconds timeout,
                                                    TraceLog* trace, std::string& error) {
  std::unique_ptr<TelnetComPort> port(new TelnetComPort(std::move(stream), std::move(address),
                                                        std::move(warning), settings, trace));
  // Our side sends binary and controls the port; the server's side sends binary.
  port->m_ours[kComPort] = port->m_ours[kBinary] = port->m_theirs[kBinary] = true;
  const Bytes offer{kIac, kWill, kComPort, kIac, kWill, kBinary, kIac, kDo, kBinary};
  if (!port->Stream().Send(offer)) {
    error = port->Stream().Problem();
    return nullptr;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!port->m_agreed && !port->m_refused && !port->Stream().Ended()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    port->Fill(left);
  }
  if (port->Stream().Ended()) {
    error = port->Stream().Problem();
    return nullptr;
  }
  if (!port->m_agreed) {
    error = app::Text(app::Sid::NoLineControl);
    return nullptr;
  }

  Bytes setup;
  const std::uint32_t baud = BitsPerSecond(settings.baud);
  const std::uint8_t rate[4] = {
      static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
      static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)};
  const auto size = static_cast<std::uint8_t>(settings.dataBits);
  const std::uint8_t parity = ParityCode(settings.parity);
  const std::uint8_t stop = StopCode(settings.stopBits);
  const std::uint8_t purge = kPurgeBoth;
  Append(setup, ComPortFrame(kSetBaudRate, rate));
  Append(setup, ComPortFrame(kSetDataSize, std::span(&size, 1)));
  Append(setup, ComPortFrame(kSetParity, std::span(&parity, 1)));
  Append(setup, ComPortFrame(kSetStopSize, std::span(&stop, 1)));
  // As on a local port: no flow control, DTR on, RTS low until a write.
  Append(setup, Control(kNoFlowControl));
  Append(setup, Control(kDtrOn));
  Append(setup, Control(kRtsOff));
  Append(setup, ComPortFrame(kPurgeData, std::span(&purge, 1)));
  if (!port->Stream().Send(setup)) {
    error = port->Stream().Problem();
    return nullptr;
  }
  port->DropWaiting();
  return port;
}

bool TelnetComPort::Write(std::span<const std::uint8_t> bytes) {
  Bytes out = Control(kRtsOn);
  Append(out, Escape(bytes));
  if (!Stream().Send(out)) return false;
  // The bytes leave the server's transmitter in their line time from about now.
  std::this_thread::sleep_for(m_byteTime * static_cast<long>(bytes.size()));
  return Stream().Send(Control(kRtsOff));
}

void TelnetComPort::Purge() {
  const std::uint8_t which = kPurgeBoth;
  (void)Stream().Send(ComPortFrame(kPurgeData, std::span(&which, 1)));
  StreamTransport::Purge();
}

void TelnetComPort::Take(std::span<const std::uint8_t> received, std::vector<std::uint8_t>& line) {
  std::vector<Command> commands;
  m_decoder.Feed(received, line, commands);
  Bytes reply;
  for (const Command& command : commands) Answer(command, reply);
  if (!reply.empty()) (void)Stream().Send(reply);
}

void TelnetComPort::Answer(const Command& command, Bytes& reply) {
  const std::uint8_t option = command.option;
  auto say = [&reply, option](std::uint8_t verb) {
    reply.insert(reply.end(), {kIac, verb, option});
  };
  switch (command.verb) {
    case kDo:
      // We send binary, control the port and never send go-ahead; nothing else.
      if (option == kComPort) m_agreed = true;
      if (option == kBinary || option == kComPort || option == kSuppressGoAhead) {
        if (!m_ours[option]) say(kWill);
        m_ours[option] = true;
      } else {
        say(kWont);
      }
      break;
    case kDont:
      if (option == kComPort) m_refused = true;
      if (m_ours[option]) say(kWont);
      m_ours[option] = false;
      break;
    case kWill:
      // The server may send binary and leave out go-ahead; it must not echo what we send.
      if (option == kBinary || option == kSuppressGoAhead) {
        if (!m_theirs[option]) say(kDo);
        m_theirs[option] = true;
      } else {
        say(kDont);
      }
      break;
    case kWont:
      if (m_theirs[option]) say(kDont);
      m_theirs[option] = false;
      break;
    case kSb:
      if (option == kComPort) Note(command);
      break;
    default: break;
  }
}

void TelnetComPort::Note(const Command& command) {
  if (!m_trace || command.value.empty()) return;
  const std::vector<std::uint8_t>& v = command.value;
  std::uint32_t value = 0;
  for (std::size_t i = 1; i < v.size() && i <= 4; ++i) value = value << 8 | v[i];
  const char* what = nullptr;
  switch (v[0]) {
    case kSetBaudRate + 100: what = "baud rate"; break;
    case kSetDataSize + 100: what = "data size"; break;
    case kSetParity + 100: what = "parity"; break;
    case kSetStopSize + 100: what = "stop size"; break;
    case kSetControl + 100: what = "control"; break;
    case kPurgeData + 100: what = "purge"; break;
    default: return;  // line and modem state reports
  }
  m_trace->Note(std::string("server: ") + what + " " + std::to_string(value));
}

}  // namespace nuvrel::link
