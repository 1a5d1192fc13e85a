// SPDX-License-Identifier: MIT
#include "sim/register.h"

#include <algorithm>
#include <array>
#include <utility>

#include "sim/logo.h"
#include "sim/reports.h"

namespace nuvrel::sim {
namespace {

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

std::uint32_t HeaderDevice(std::span<const std::uint8_t> header) {
  std::uint32_t number = 0;
  for (std::size_t i = 1; i <= 6; ++i) number = number * 10 + (header[i] - '0');
  return number;
}

// A refusal by fault (nak, nak-partial on the first frame of the reply) means the register did
// not take the frame, so nothing it carried is kept.
bool RefusedByFault(std::span<const FaultSpec> faults) {
  return std::any_of(faults.begin(), faults.end(), [](const FaultSpec& fault) {
    return fault.part == 1 && (fault.kind == FaultKind::Nak || fault.kind == FaultKind::NakPartial);
  });
}

}  // namespace

Action Action::Sending(link::Bytes bytes) {
  Action action;
  action.bytes = std::move(bytes);
  return action;
}

Action Action::Noting(std::string text) {
  Action action;
  action.kind = ActionKind::Note;
  action.text = std::move(text);
  return action;
}

Action Action::Only(ActionKind kind) {
  Action action;
  action.kind = kind;
  return action;
}

Action Action::Saving(TableKind table) {
  Action action;
  action.kind = ActionKind::Save;
  action.table = table;
  return action;
}

Action Action::Pacing(std::size_t frameSize, TimePoint arrivedAt) {
  Action action;
  action.kind = ActionKind::Pace;
  action.frameSize = frameSize;
  action.arrivedAt = arrivedAt;
  return action;
}

Register::Register(RegisterSettings settings, FaultPlan faults, RegisterTables tables)
    : m_settings(std::move(settings)), m_faults(std::move(faults)), m_tables(std::move(tables)) {}

std::vector<Action> Register::Feed(std::span<const std::uint8_t> bytes, TimePoint arrivedAt) {
  std::vector<Action> actions;
  for (std::uint8_t byte : bytes) {
    if (m_hungUp) break;
    switch (m_receive) {
      case Receive::Hunting:
        if (byte == link::kStartByte) {
          if (m_awaitingPcAck) {
            m_awaitingPcAck = false;
            actions.push_back(
                Action::Noting("the upload end packet was not acknowledged before the next frame"));
          }
          m_buffer.assign(1, byte);
          m_frameArrivedAt = arrivedAt;
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
          Reply(AnswerFrame(m_buffer), m_buffer.size(), actions);
        } else if (m_buffer.size() == kLogoHeaderSize && IsLogoHeader(m_buffer)) {
          m_receive = Receive::Logo;
          m_logo.clear();
          m_logoSize = 0;
        } else if (m_buffer.size() >= kFrameLimit) {
          m_receive = Receive::Hunting;
          m_buffer.clear();
          actions.push_back(
              Action::Noting("dropped " + std::to_string(kFrameLimit) + " bytes without LF"));
        }
        break;
      case Receive::Logo: TakeLogoByte(byte, actions); break;
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

void Register::TakeLogoByte(std::uint8_t byte, std::vector<Action>& actions) {
  m_logo.push_back(byte);
  if (m_logo.size() == kBmpSizeFieldEnd) {
    m_logoSize = BmpFileSize(
        std::span<const std::uint8_t, kBmpSizeFieldEnd>(m_logo.data(), kBmpSizeFieldEnd));
    if (auto problem = LogoSizeProblem(m_logoSize)) {
      // The rest of the file is hunted through like any other stray bytes.
      m_receive = Receive::Hunting;
      Reply(Refuse(*problem), kLogoHeaderSize + m_logo.size(), actions);
      m_logo.clear();
    }
    return;
  }
  if (m_logo.size() > kBmpSizeFieldEnd && m_logo.size() == m_logoSize) {
    m_receive = Receive::Hunting;
    // The PC sends the file in a hundred chunks and waits for each to leave the line before the
    // next, so only the last chunk's wire time lies between its last write and this answer.
    Reply(AnswerLogo(), m_logo.size() / 100 + 1, actions);
    m_logo.clear();
  }
}

std::vector<Action> Register::PcAckTimedOut() {
  if (!m_awaitingPcAck) return {};
  m_awaitingPcAck = false;
  if (m_receive == Receive::PcAck) {
    m_receive = Receive::Hunting;
    m_buffer.clear();
  }
  return {Action::Noting("no acknowledgement of the upload end packet within " +
                         std::to_string(kPcAckWait.count()) + " s")};
}

std::vector<Action> Register::LogoTimedOut() {
  if (m_receive != Receive::Logo) return {};
  m_receive = Receive::Hunting;
  std::string text = "the logo stopped after " + std::to_string(m_logo.size()) + " bytes";
  if (m_logoSize != 0) text += " of " + std::to_string(m_logoSize);
  text += "; waiting for frames again";
  m_logo.clear();
  return {Action::Noting(std::move(text))};
}

void Register::Reply(Answer answer, std::size_t frameSize, std::vector<Action>& actions) {
  ++m_framesReceived;
  if (!answer.note.empty()) {
    actions.push_back(
        Action::Noting("frame " + std::to_string(m_framesReceived) + ": " + answer.note));
  }
  const std::vector<FaultSpec> faults = m_faults.ForFrame(m_framesReceived);
  for (const FaultSpec& fault : faults) {
    actions.push_back(Action::Noting("fault " + FormatFaultSpec(fault)));
  }
  if (!RefusedByFault(faults)) {
    if (answer.record) {
      const TableKind table = answer.record->table;
      StoreRecord(m_tables, std::move(*answer.record));
      ++m_recordsThisUpload;
      actions.push_back(Action::Saving(table));
    }
    if (answer.logo) {
      m_tables.logo = std::move(answer.logo);
      actions.push_back(Action::Saving(TableKind::Logo));
    }
  }
  actions.push_back(Action::Pacing(frameSize, m_frameArrivedAt));

  Emission emission = Render(answer.frames, faults, m_settings.deviceNumber);
  for (std::string& note : emission.notes) actions.push_back(Action::Noting(std::move(note)));
  for (link::Bytes& block : emission.blocks) actions.push_back(Action::Sending(std::move(block)));
  if (emission.hangUp) {
    m_hungUp = true;
    actions.push_back(Action::Only(ActionKind::HangUp));
    return;
  }
  // A PC that did not get the whole end packet has nothing to acknowledge.
  if (answer.endsUpload && emission.complete) {
    m_awaitingPcAck = true;
    actions.push_back(Action::Only(ActionKind::AwaitPcAck));
  }
}

Register::Answer Register::Sending(ReplyFrame first) {
  Answer answer;
  answer.frames.push_back(std::move(first));
  return answer;
}

Register::Answer Register::Refuse(std::string why) const {
  Answer answer = Sending(RefusalFrame(m_settings.deviceNumber));
  answer.note = std::move(why);
  return answer;
}

Register::Answer Register::AnswerFrame(std::span<const std::uint8_t> frame) {
  const std::uint32_t device = m_settings.deviceNumber;
  if (frame.size() == link::kIdentifyRequestSize && frame[1] == '?') {
    if (!link::CheckPairMatches(frame.first(2), frame[2], frame[3])) {
      return Refuse("identify request with a wrong check pair");
    }
    return Sending(IdentifyReplyFrame(device));
  }
  if (frame.size() < link::kCommandSize) {
    return Refuse(std::to_string(frame.size()) + " bytes, too short for a frame");
  }
  const std::size_t covered = frame.size() - 3;
  if (!link::CheckPairMatches(frame.first(covered), frame[covered], frame[covered + 1])) {
    return Refuse("wrong check pair");
  }
  if (!CarriesDevice(frame, device)) return Refuse("another device number");

  const std::uint8_t letter = frame[7];
  if (RecordTable(letter)) {
    RecordDecode decoded =
        DecodeRecord(letter, frame.subspan(kFieldsOffset, covered - kFieldsOffset), m_tables);
    if (!decoded.record) return Refuse("record " + Shown(letter) + ": " + decoded.error);
    Answer answer = Sending(AckReplyFrame(device));
    answer.record = std::move(decoded.record);
    return answer;
  }
  if (frame.size() != link::kCommandSize) {
    return Refuse("command " + Shown(letter) + " in " + std::to_string(frame.size()) + " bytes");
  }
  return AnswerCommand(letter);
}

Register::Answer Register::AnswerCommand(std::uint8_t letter) {
  const std::uint32_t device = m_settings.deviceNumber;
  Answer answer = Sending(AckReplyFrame(device));
  auto append = [&answer](std::vector<ReplyFrame> lines) {
    answer.frames.insert(answer.frames.end(), std::make_move_iterator(lines.begin()),
                         std::make_move_iterator(lines.end()));
  };
  switch (letter) {
    case 'V':
      answer.frames.push_back(VersionLineFrame(device, m_settings.country, m_settings.version));
      break;
    case 'a':
      m_uploadOpen = true;
      m_recordsThisUpload = 0;
      break;
    case 'z': {
      m_uploadOpen = false;
      ++m_uploadsEnded;
      // The body is not examined by the PC; it carries the records of this upload and the number
      // of uploads so far, which makes traces easier to read.
      const std::string text = link::DeviceDigits(m_recordsThisUpload % 1000000) +
                               link::DeviceDigits(m_uploadsEnded % 1000000);
      std::array<std::uint8_t, 12> body{};
      for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(text[i]);
      answer.frames.push_back(UploadEndFrame(device, body));
      answer.endsUpload = true;
      break;
    }
    case 'f': append(ArticlesReportLines(m_tables, device)); break;
    case 'F': append(DailyExchangeLines(m_tables, device)); break;
    default: break;
  }
  return answer;
}

Register::Answer Register::AnswerLogo() {
  // The PC sends a logo with the number its last identification left, 000000 when there was none.
  const std::uint32_t headerDevice = HeaderDevice(m_buffer);
  if (headerDevice != m_settings.deviceNumber && headerDevice != 0) {
    return Refuse("a logo for device " + link::DeviceDigits(headerDevice));
  }
  Answer answer = Sending(AckReplyFrame(headerDevice));
  answer.logo = m_logo;
  return answer;
}

void Register::HandlePcAck(std::vector<Action>& actions) {
  m_awaitingPcAck = false;
  const std::string what = "the acknowledgement of the upload end packet ";
  if (m_buffer.size() != link::kReplySize) {
    actions.push_back(
        Action::Noting(what + "is " + std::to_string(m_buffer.size()) + " bytes long"));
    return;
  }
  const std::span<const std::uint8_t, link::kReplySize> ack(m_buffer.data(), link::kReplySize);
  switch (link::CheckAck(ack, m_settings.deviceNumber)) {
    case link::Fault::None: break;
    case link::Fault::BadCheckPair:
      actions.push_back(Action::Noting(what + "has a wrong check pair"));
      break;
    case link::Fault::WrongDevice:
      actions.push_back(Action::Noting(what + "carries another device number"));
      break;
    default: actions.push_back(Action::Noting(what + "is malformed")); break;
  }
}

}  // namespace nuvrel::sim
