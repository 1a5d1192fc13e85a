// SPDX-License-Identifier: MIT
// The register's replies: the pure checks of an acknowledgement, an identify reply and an upload
// end packet on any bytes, the frames we build passing our own checks, and identification, a
// command and the end of an upload run against a register that sends the fuzz bytes. An exchange
// shows at most one message, and one that succeeds has what it claims.
//
// Input: a byte of flags (0x01: the line hangs up once the bytes are in; the rest: the bytes arrive
// (flags >> 1) * 50 ms late), three bytes of device number, then the register's bytes.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "link/frames.h"
#include "link/handshake.h"
#include "link/identify.h"
#include "support/fake_clock.h"
#include "support/recording_ui.h"
#include "support/scripted_port.h"

namespace {

using namespace nuvrel;
using namespace nuvrel::link;
using namespace std::chrono_literals;

template <std::size_t N>
std::array<std::uint8_t, N> Head(const Bytes& bytes) {
  std::array<std::uint8_t, N> head{};
  for (std::size_t i = 0; i < N && i < bytes.size(); ++i) head[i] = bytes[i];
  return head;
}

void CheckPureFrames(const Bytes& bytes, std::uint32_t device) {
  const auto reply = Head<kReplySize>(bytes);
  const std::string digits = DeviceDigits(device);
  if (CheckAck(reply, device) == Fault::None) {
    const Bytes ack = AckFrame(device);
    FUZZ_CHECK(reply[0] == kAckByte && reply[9] == kLineFeed);
    FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(&reply[1]), 6) == digits);
    FUZZ_CHECK((reply[7] & 0x0F) == (ack[7] & 0x0F) && (reply[8] & 0x0F) == (ack[8] & 0x0F));
  }
  const IdentifyResult identified = CheckIdentifyReply(reply);
  if (identified.fault == Fault::None) {
    FUZZ_CHECK(identified.deviceNumber >= 1 && identified.deviceNumber <= kLargestDeviceNumber);
  }
  (void)CheckUploadEnd(Head<kUploadEndSize>(bytes), device);
  (void)ParseVersionLine(bytes);

  // What we build passes what we check.
  FUZZ_CHECK(CheckAck(Head<kReplySize>(AckFrame(device)), device) == Fault::None);
  const IdentifyResult own = CheckIdentifyReply(Head<kReplySize>(IdentifyReply(kAckByte, digits)));
  FUZZ_CHECK(own.fault == Fault::None && own.deviceNumber == device);
  const auto body = Head<12>(bytes);
  FUZZ_CHECK(CheckUploadEnd(Head<kUploadEndSize>(UploadEndPacket(device, body)), device) ==
             Fault::None);
}

// A conversation with a register that sends the bytes in answer to the first frame, or unasked.
struct Conversation {
  Conversation(const Bytes& bytes, std::uint8_t flags, std::uint32_t device, bool unasked = false) {
    identity.deviceNumber = device;
    auto send = [&bytes, flags](test::ScriptedPort& p) {
      const auto late = (flags >> 1) * 50ms;
      p.Arrive(bytes, late);
      if (flags & 0x01) p.HangUpAfter(late + 1ms);
    };
    if (unasked) {
      send(port);
      return;
    }
    port.SetResponder([send, this](test::ScriptedPort& p, const Bytes&) {
      if (!answered) send(p);
      answered = true;
    });
  }

  test::FakeClock clock;
  test::ScriptedPort port{clock};
  test::RecordingUi ui;
  RegisterIdentity identity;
  Channel channel{port, clock, ui, identity};
  bool answered = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  const std::uint8_t flags = input.Byte();
  std::uint32_t device = input.Byte();
  device = (device << 8 | input.Byte()) << 8 | input.Byte();
  device = device % kLargestDeviceNumber + 1;
  const std::string_view rest = input.Rest();
  const Bytes bytes(rest.begin(), rest.end());

  CheckPureFrames(bytes, device);

  {
    Conversation c(bytes, flags, 0);
    const bool identified = IdentifyRegister(c.channel);
    FUZZ_CHECK(c.ui.messages.size() <= 1);
    if (identified) {
      FUZZ_CHECK(c.ui.messages.empty());
      FUZZ_CHECK(c.identity.country == kServedCountry);
      FUZZ_CHECK(c.identity.deviceNumber >= 1 && c.identity.deviceNumber <= kLargestDeviceNumber);
    }
  }
  {
    Conversation c(bytes, flags, device);
    const bool acknowledged = SendCommand(c.channel, 'F');
    FUZZ_CHECK(c.ui.messages.size() <= 1);
    if (acknowledged) FUZZ_CHECK(CheckAck(Head<kReplySize>(bytes), device) == Fault::None);
  }
  {
    Conversation c(bytes, flags, device, true);
    const bool ended = AwaitUploadEnd(c.channel);
    FUZZ_CHECK(c.ui.messages.size() <= 1);
    if (ended) {
      FUZZ_CHECK(CheckUploadEnd(Head<kUploadEndSize>(bytes), device) == Fault::None);
      FUZZ_CHECK(c.port.Written().size() == 1 && c.port.Written()[0] == AckFrame(device));
    }
  }
  return 0;
}
