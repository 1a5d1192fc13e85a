// SPDX-License-Identifier: MIT
// The simulated register as a state machine: it is fed the bytes that arrive from the PC and
// answers with actions for the I/O loop to carry out. No I/O and no clock here, so every exchange
// can be tested byte for byte.
//
// Frames from the PC start at 0xAA (bytes before it are ignored) and end at LF:
//   identify request  0xAA '?' pair LF             -> identify reply
//   command           0xAA D letter pair LF        -> acknowledgement, and for
//                       V: the version line;  a: an upload opens;
//                       z: the upload end packet, which the PC acknowledges (0x06 D pair LF)
//   record            0xAA D letter fields pair LF -> acknowledgement (letters r o y w u)
// A wrong check pair, another device number or a frame of no known shape is answered by a refusal.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/frames.h"
#include "sim/faults.h"
#include "sim/register_tables.h"
#include "sim/reply.h"

namespace nuvrel::sim {

struct RegisterSettings {
  std::uint32_t deviceNumber = 123456;
  char country = 'S';
  std::string version = "NV-2.21";
};

enum class ActionKind {
  Send,        // write bytes as one block
  Note,        // a diagnostic line for the person running the simulator
  AwaitPcAck,  // start the wait for the PC's acknowledgement of the upload end packet
  HangUp,      // close the line and end the simulator
};

struct Action {
  ActionKind kind = ActionKind::Send;
  link::Bytes bytes;  // Send
  std::string text;   // Note
};

// How long the register waits for the PC's acknowledgement of the upload end packet.
inline constexpr std::chrono::seconds kPcAckWait{3};

// A frame from the PC that has no LF within this many bytes is dropped.
inline constexpr std::size_t kFrameLimit = 1024;

class Register {
 public:
  Register(RegisterSettings settings, FaultPlan faults);

  // Takes bytes received from the PC and returns what to do, in order. After a HangUp action the
  // register takes nothing more.
  std::vector<Action> Feed(std::span<const std::uint8_t> bytes);

  // The wait for the PC's acknowledgement of the upload end packet ran out.
  std::vector<Action> PcAckTimedOut();

  bool AwaitingPcAck() const { return m_awaitingPcAck; }
  bool UploadOpen() const { return m_uploadOpen; }
  std::uint32_t FramesReceived() const { return m_framesReceived; }
  const RegisterTables& Tables() const { return m_tables; }

 private:
  enum class Receive { Hunting, Frame, PcAck };

  void HandleFrame(std::vector<Action>& actions);
  void HandlePcAck(std::vector<Action>& actions);
  // The register's answer to one frame, before faults.
  struct Answer {
    std::vector<ReplyFrame> frames;
    bool endsUpload = false;  // the PC is to acknowledge the last frame
    std::string note;         // why the frame was refused, if it was
  };
  Answer AnswerFrame(std::span<const std::uint8_t> frame);
  Answer AnswerCommand(std::uint8_t letter);

  RegisterSettings m_settings;
  FaultPlan m_faults;
  RegisterTables m_tables;
  Receive m_receive = Receive::Hunting;
  link::Bytes m_buffer;
  std::uint32_t m_framesReceived = 0;
  std::uint32_t m_recordsThisUpload = 0;
  std::uint32_t m_uploadsEnded = 0;
  bool m_uploadOpen = false;
  bool m_awaitingPcAck = false;
  bool m_hungUp = false;
};

}  // namespace nuvrel::sim
