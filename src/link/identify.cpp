// SPDX-License-Identifier: MIT
#include "link/identify.h"

#include "app/ui.h"
#include "link/faults.h"
#include "link/port_opener.h"

namespace nuvrel::link {
namespace {

// Reads the version line byte by byte up to its LF. Bytes after the LF stay queued.
Fault ReceiveVersionLine(Channel& channel, Bytes& line) {
  const auto start = channel.clock.Now();
  line.clear();
  for (;;) {
    std::uint8_t byte = 0;
    const bool got = channel.port.ReadAvailable(std::span(&byte, 1)) == 1;
    if (got) {
      line.push_back(byte);
      if (line.size() >= kVersionLineLimit) return Fault::Invalid;
      if (byte == kLineFeed) return Fault::None;
    }
    const auto elapsed = channel.clock.Now() - start;
    if (elapsed > kReplyTimeout) return Fault::Timeout;
    if (!got) {
      const auto left = kReplyTimeout - elapsed + std::chrono::milliseconds(1);
      if (channel.port.WaitReadable(left) == WaitResult::HungUp) return Fault::HungUp;
    }
  }
}

}  // namespace

bool IdentifyRegister(Channel& channel) {
  if (!SendFrame(channel, IdentifyRequest())) return false;

  std::array<std::uint8_t, kReplySize> reply{};
  Fault fault = ReceiveReply(channel, reply);
  IdentifyResult result;
  if (fault == Fault::None) {
    result = CheckIdentifyReply(reply);
    fault = result.fault;
  }
  if (fault != Fault::None) {
    Report(channel.ui, fault, channel.port);
    return false;
  }
  channel.identity.deviceNumber = result.deviceNumber;

  if (!SendCommand(channel, 'V')) return false;

  Bytes line;
  fault = ReceiveVersionLine(channel, line);
  if (fault != Fault::None) {
    Report(channel.ui, fault, channel.port);
    return false;
  }
  const VersionInfo info = ParseVersionLine(line);
  channel.identity.country = info.country;
  if (info.country != kServedCountry) return false;
  channel.identity.version = info.version;
  return true;
}

bool IdentifyOnPort(PortOpener& opener, int portIndex, Clock& clock, app::Ui& ui,
                    RegisterIdentity& identity) {
  auto port = OpenRegisterPort(opener, portIndex, ui);
  if (!port) return false;
  Channel channel{*port, clock, ui, identity};
  return IdentifyRegister(channel);
}

}  // namespace nuvrel::link
