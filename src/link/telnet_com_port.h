// SPDX-License-Identifier: MIT
// The line through a serial device server that speaks Telnet with the COM Port Control option
// (RFC 2217): the server sets the line's rate and format, raises and lowers RTS, and purges its
// buffers when asked. Line bytes travel in Telnet's binary mode, a 0xFF doubled.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/frames.h"
#include "link/serial_device.h"
#include "link/tcp_transport.h"

namespace nuvrel::link {

class TraceLog;

namespace telnet {

inline constexpr std::uint8_t kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251,
                              kSb = 250, kSe = 240;
inline constexpr std::uint8_t kBinary = 0, kEcho = 1, kSuppressGoAhead = 3, kComPort = 44;

// COM Port Control commands from the client; the server answers each with the code + 100.
enum ComPortCommand : std::uint8_t {
  kSetBaudRate = 1,
  kSetDataSize = 2,
  kSetParity = 3,
  kSetStopSize = 4,
  kSetControl = 5,
  kPurgeData = 12,
};
// Values of kSetControl and kPurgeData used here.
inline constexpr std::uint8_t kNoFlowControl = 1, kDtrOn = 8, kRtsOn = 11, kRtsOff = 12,
                              kPurgeBoth = 3;

// A command the server sent: an option verb (WILL, WONT, DO, DONT) or a subnegotiation.
struct Command {
  std::uint8_t verb = 0;  // kWill, kWont, kDo, kDont or kSb
  std::uint8_t option = 0;
  std::vector<std::uint8_t> value;  // of a subnegotiation, unescaped
};

// Splits what the server sends into line bytes and commands. A subnegotiation longer than
// kSubLimit is dropped whole; nothing the server sends makes it keep more.
class Decoder {
 public:
  static constexpr std::size_t kSubLimit = 64;

  void Feed(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& line,
            std::vector<Command>& commands);

 private:
  enum class State { Data, Iac, Verb, SubOption, Sub, SubIac };
  State m_state = State::Data;
  Command m_command;
  bool m_overflow = false;
};

// The line bytes with every 0xFF doubled.
Bytes Escape(std::span<const std::uint8_t> bytes);

// IAC SB COM-PORT-OPTION command value IAC SE, the value escaped.
Bytes ComPortFrame(std::uint8_t command, std::span<const std::uint8_t> value);

}  // namespace telnet

class TelnetComPort final : public StreamTransport {
 public:
  // Agrees on the COM Port Control option (waiting up to timeout for the server to accept it),
  // sets the line, lowers RTS, and purges both ways. nullptr with error filled when the server
  // does not take the option. trace (may be null) gets a note for each setting the server
  // confirms.
  static std::unique_ptr<TelnetComPort> Start(std::unique_ptr<NetStream> stream,
                                              std::string address, std::string warning,
                                              const LineSettings& settings,
                                              std::chrono::milliseconds timeout, TraceLog* trace,
                                              std::string& error);

  // Raises RTS, sends the bytes, holds RTS for their time on the line at the set rate (10 bits
  // a byte: the server cannot tell when its transmitter has drained), then lowers it.
  bool Write(std::span<const std::uint8_t> bytes) override;
  void Purge() override;

 protected:
  void Take(std::span<const std::uint8_t> received, std::vector<std::uint8_t>& line) override;

 private:
  TelnetComPort(std::unique_ptr<NetStream> stream, std::string address, std::string warning,
                const LineSettings& settings, TraceLog* trace);
  void Answer(const telnet::Command& command, Bytes& reply);
  void Note(const telnet::Command& command);

  telnet::Decoder m_decoder;
  std::chrono::nanoseconds m_byteTime;
  TraceLog* m_trace;
  // Which options are on, on our side and on the server's (so that each is answered once).
  std::array<bool, 256> m_ours{};
  std::array<bool, 256> m_theirs{};
  bool m_agreed = false;   // the server said DO COM-PORT-OPTION
  bool m_refused = false;  // the server said DONT COM-PORT-OPTION
};

}  // namespace nuvrel::link
