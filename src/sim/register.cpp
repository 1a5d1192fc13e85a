// SPDX-License-Identifier: MIT
#include "sim/register.h"

#include <array>
#include <utility>

namespace nuvrel::sim {
namespace {

Action Note(std::string text) {
  return {ActionKind::Note, {}, std::move(text)};
}

// A byte from the line, fit for a diagnostic line whatever it is.
std::string Shown(std::uint8_t byte) {
  if (byte >= 0x21 && byte <= 0x7E) return std::string("'") + static_cast<char>(byte) + "'";
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0x0F];
}

bool CarriesDevice(std::span<const std::uint8_t> frame, std::uint32_t deviceNumber) {
  const std::string digits = link::DeviceDigits(deviceNumber);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (frame[1 + i] != static_cast<std::uint8_t>(digits[i])) return false;
  }
  return true;
}

}  // namespace

Register::Register(RegisterSettings settings, FaultPlan faults)
    : m_settings(std::move(settings)), m_faults(std::move(faults)) {}

std::vector<Action> Register::Feed(std::span<const std::uint8_t> bytes) {
  std::vector<Action> actions;
  for (std::uint8_t byte : bytes) {
    if (m_hungUp) break;
    switch (m_receive) {
      case Receive::Hunting:
        if (byte == link::kStartByte) {
          if (m_awaitingPcAck) {
            m_awaitingPcAck = false;
            actions.push_back(
                Note("the upload end packet was not acknowledged before the next frame"));
          }
          m_buffer.assign(1, byte);
          m_receive = Receive::Frame;
        } else if (byte == link::kAckByte && m_awaitingPcAck) {
          m_buffer.assign(1, byte);
          m_receive = Receive::PcAck;
        }
        break;
      case Receive::Frame:
        m_buffer.push_back(byte);
        if (byte == link::kLineFeed) {
          m_receive = Receive::Hunting;
          HandleFrame(actions);
        } else if (m_buffer.size() >= kFrameLimit) {
          m_receive = Receive::Hunting;
          m_buffer.clear();
          actions.push_back(Note("dropped " + std::to_string(kFrameLimit) + " bytes without LF"));
        }
        break;
      case Receive::PcAck:
        m_buffer.push_back(byte);
        if (byte == link::kLineFeed || m_buffer.size() == link::kReplySize) {
          m_receive = Receive::Hunting;
          HandlePcAck(actions);
        }
        break;
    }
  }
  return actions;
}

std::vector<Action> Register::PcAckTimedOut() {
  if (!m_awaitingPcAck) return {};
  m_awaitingPcAck = false;
  if (m_receive == Receive::PcAck) {
    m_receive = Receive::Hunting;
    m_buffer.clear();
  }
  return {Note("no acknowledgement of the upload end packet within " +
               std::to_string(kPcAckWait.count()) + " s")};
}

void Register::HandleFrame(std::vector<Action>& actions) {
  ++m_framesReceived;
  const Answer answer = AnswerFrame(m_buffer);
  if (!answer.note.empty()) {
    actions.push_back(Note("frame " + std::to_string(m_framesReceived) + ": " + answer.note));
  }
  const std::vector<FaultSpec> faults = m_faults.ForFrame(m_framesReceived);
  for (const FaultSpec& fault : faults) {
    actions.push_back(Note("fault " + FormatFaultSpec(fault)));
  }
  Emission emission = Render(answer.frames, faults, m_settings.deviceNumber);
  for (std::string& note : emission.notes) actions.push_back(Note(std::move(note)));
  for (link::Bytes& block : emission.blocks) {
    actions.push_back({ActionKind::Send, std::move(block), {}});
  }
  if (emission.hangUp) {
    m_hungUp = true;
    actions.push_back({ActionKind::HangUp, {}, {}});
    return;
  }
  // A PC that did not get the whole end packet has nothing to acknowledge.
  if (answer.endsUpload && emission.complete) {
    m_awaitingPcAck = true;
    actions.push_back({ActionKind::AwaitPcAck, {}, {}});
  }
}

Register::Answer Register::AnswerFrame(std::span<const std::uint8_t> frame) {
  const std::uint32_t device = m_settings.deviceNumber;
  auto refuse = [device](std::string why) {
    return Answer{{RefusalFrame(device)}, false, std::move(why)};
  };

  if (frame.size() == link::kIdentifyRequestSize && frame[1] == '?') {
    if (!link::CheckPairMatches(frame.first(2), frame[2], frame[3])) {
      return refuse("identify request with a wrong check pair");
    }
    return {{IdentifyReplyFrame(device)}, false, {}};
  }
  if (frame.size() < link::kCommandSize) {
    return refuse(std::to_string(frame.size()) + " bytes, too short for a frame");
  }
  const std::size_t covered = frame.size() - 3;
  if (!link::CheckPairMatches(frame.first(covered), frame[covered], frame[covered + 1])) {
    return refuse("wrong check pair");
  }
  if (!CarriesDevice(frame, device)) return refuse("another device number");

  const std::uint8_t letter = frame[7];
  if (IsRecordLetter(letter)) {
    std::optional<RecordKey> key = ReadRecordKey(frame);
    if (!key) return refuse("record " + Shown(letter) + " without an item number");
    m_tables.Store(std::move(*key), link::Bytes(frame.begin(), frame.end()));
    ++m_recordsThisUpload;
    return {{AckReplyFrame(device)}, false, {}};
  }
  if (frame.size() != link::kCommandSize) {
    return refuse("command " + Shown(letter) + " in " + std::to_string(frame.size()) + " bytes");
  }
  return AnswerCommand(letter);
}

Register::Answer Register::AnswerCommand(std::uint8_t letter) {
  const std::uint32_t device = m_settings.deviceNumber;
  switch (letter) {
    case 'V':
      return {
          {AckReplyFrame(device), VersionLineFrame(device, m_settings.country, m_settings.version)},
          false,
          {}};
    case 'a':
      m_uploadOpen = true;
      m_recordsThisUpload = 0;
      return {{AckReplyFrame(device)}, false, {}};
    case 'z': {
      m_uploadOpen = false;
      ++m_uploadsEnded;
      // The body is not examined by the PC; it carries the records of this upload and the number
      // of uploads so far, which makes traces easier to read.
      const std::string text = link::DeviceDigits(m_recordsThisUpload % 1000000) +
                               link::DeviceDigits(m_uploadsEnded % 1000000);
      std::array<std::uint8_t, 12> body{};
      for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(text[i]);
      return {{AckReplyFrame(device), UploadEndFrame(device, body)}, true, {}};
    }
    default: return {{AckReplyFrame(device)}, false, {}};
  }
}

void Register::HandlePcAck(std::vector<Action>& actions) {
  m_awaitingPcAck = false;
  const std::string what = "the acknowledgement of the upload end packet ";
  if (m_buffer.size() != link::kReplySize) {
    actions.push_back(Note(what + "is " + std::to_string(m_buffer.size()) + " bytes long"));
    return;
  }
  const std::span<const std::uint8_t, link::kReplySize> ack(m_buffer.data(), link::kReplySize);
  switch (link::CheckAck(ack, m_settings.deviceNumber)) {
    case link::Fault::None: break;
    case link::Fault::BadCheckPair: actions.push_back(Note(what + "has a wrong check pair")); break;
    case link::Fault::WrongDevice:
      actions.push_back(Note(what + "carries another device number"));
      break;
    default: actions.push_back(Note(what + "is malformed")); break;
  }
}

}  // namespace nuvrel::sim
