// SPDX-License-Identifier: MIT
// The simulated register as a state machine: it is fed the bytes that arrive from the PC and
// answers with actions for the I/O loop to carry out. No I/O and no clock here (arrival times come
// in as plain values), so every exchange can be tested byte for byte.
//
// Frames from the PC start at 0xAA (bytes before it are ignored) and end at LF:
//   identify request  0xAA '?' pair LF             -> identify reply
//   command           0xAA D letter pair LF        -> acknowledgement, and for
//                       V: the version line;  a: an upload opens;
//                       z: the upload end packet, which the PC acknowledges (0x06 D pair LF);
//                       f: the articles report lines;  F: the daily exchange lines (reports.h)
//   record            0xAA D letter fields pair LF -> acknowledgement (letters r o y w u,
//   records.h) logo              0xAA D 'R' BMP file          -> acknowledgement with the header's
//   digits
//                       (logo.h; no pair and no LF: the file's own size field tells its end)
// A wrong check pair, another device number, a malformed record or a frame of no known shape is
// answered by a refusal. A logo header is recognised as soon as its 'R' arrives; it and its file
// count as one frame.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/frames.h"
#include "sim/faults.h"
#include "sim/records.h"
#include "sim/register_tables.h"
#include "sim/reply.h"

namespace nuvrel::sim {

struct RegisterSettings {
  std::uint32_t deviceNumber = 123456;
  char country = 'S';
  std::string version = "NV-2.21";
};

using TimePoint = std::chrono::steady_clock::time_point;

enum class ActionKind {
  Send,        // write bytes as one block
  Note,        // a diagnostic line for the person running the simulator
  AwaitPcAck,  // start the wait for the PC's acknowledgement of the upload end packet
  HangUp,      // close the line and end the simulator
  Save,        // a table changed: keep it (with --state)
  Pace,        // what follows goes out no sooner than the answered frame's own wire time after
               // its first byte arrived
};

struct Action {
  ActionKind kind = ActionKind::Send;
  link::Bytes bytes;                      // Send
  std::string text;                       // Note
  TableKind table = TableKind::Articles;  // Save
  std::size_t frameSize = 0;              // Pace: bytes of the frame answered
  TimePoint arrivedAt{};                  // Pace: when its first byte arrived

  static Action Sending(link::Bytes bytes);
  static Action Noting(std::string text);
  static Action Only(ActionKind kind);
  static Action Saving(TableKind table);
  static Action Pacing(std::size_t frameSize, TimePoint arrivedAt);
};

// How long the register waits for the PC's acknowledgement of the upload end packet.
inline constexpr std::chrono::seconds kPcAckWait{3};

// A frame from the PC that has no LF within this many bytes is dropped.
inline constexpr std::size_t kFrameLimit = 1024;

class Register {
 public:
  Register(RegisterSettings settings, FaultPlan faults, RegisterTables tables = {});

  // Takes bytes received from the PC (at arrivedAt, which the Pace actions refer to) and returns
  // what to do, in order. After a HangUp action the register takes nothing more.
  std::vector<Action> Feed(std::span<const std::uint8_t> bytes, TimePoint arrivedAt = {});

  // The wait for the PC's acknowledgement of the upload end packet ran out.
  std::vector<Action> PcAckTimedOut();

  // The logo's bytes stopped for kLogoSilence: the logo is given up and frames are hunted again.
  std::vector<Action> LogoTimedOut();

  bool AwaitingPcAck() const { return m_awaitingPcAck; }
  bool ReceivingLogo() const { return m_receive == Receive::Logo; }
  bool UploadOpen() const { return m_uploadOpen; }
  std::uint32_t FramesReceived() const { return m_framesReceived; }
  const RegisterTables& Tables() const { return m_tables; }

 private:
  enum class Receive { Hunting, Frame, Logo, PcAck };

  // The register's answer to one frame, before faults.
  struct Answer {
    std::vector<ReplyFrame> frames;
    bool endsUpload = false;          // the PC is to acknowledge the last frame
    std::string note;                 // why the frame was refused, if it was
    std::optional<Record> record;     // kept unless a fault refuses the frame
    std::optional<link::Bytes> logo;  // likewise
  };

  void TakeLogoByte(std::uint8_t byte, std::vector<Action>& actions);
  void HandlePcAck(std::vector<Action>& actions);
  Answer AnswerFrame(std::span<const std::uint8_t> frame);
  Answer AnswerCommand(std::uint8_t letter);
  Answer AnswerLogo();
  static Answer Sending(ReplyFrame first);
  Answer Refuse(std::string why) const;
  // Counts the frame, keeps what it programs, and lays out its (bent) reply.
  void Reply(Answer answer, std::size_t frameSize, std::vector<Action>& actions);

  RegisterSettings m_settings;
  FaultPlan m_faults;
  RegisterTables m_tables;
  Receive m_receive = Receive::Hunting;
  link::Bytes m_buffer;  // the frame so far; for a logo its header
  link::Bytes m_logo;    // the logo file so far
  std::uint32_t m_logoSize = 0;
  TimePoint m_frameArrivedAt{};
  std::uint32_t m_framesReceived = 0;
  std::uint32_t m_recordsThisUpload = 0;
  std::uint32_t m_uploadsEnded = 0;
  bool m_uploadOpen = false;
  bool m_awaitingPcAck = false;
  bool m_hungUp = false;
};

}  // namespace nuvrel::sim
