// SPDX-License-Identifier: MIT
// The serial device over the Windows COM port API. The port is opened without sharing and used
// synchronously. RTS is raised around each write, which returns once FlushFileBuffers says the
// transmit queue has drained; a driver that refuses modem control (a pseudo-terminal under wine)
// simply leaves the line alone. Waiting for a byte is one ReadFile whose time-outs make it return
// with the first byte or at the deadline: the thread sleeps in the driver, it never polls.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/utf8_path.h"
#include "app/win32_text.h"
#include "link/serial_device.h"

namespace nuvrel::link {
namespace {

// The line settles this long after the settings were applied, before the receive queue is purged.
constexpr auto kSettleTime = std::chrono::milliseconds(10);
// The longest single wait handed to the driver; a longer one is waited in steps of this.
constexpr DWORD kLongestWaitMs = 60'000;

DWORD CeilMs(Clock::Duration timeout) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
  if (ms < 1) return 1;
  return ms > kLongestWaitMs ? kLongestWaitMs : static_cast<DWORD>(ms);
}

// "COM3" becomes "\\.\COM3", the name under which every COM port opens (COM10 and up need it);
// a path that already starts with "\\" is taken as it is.
std::wstring DeviceName(const std::string& path) {
  const std::wstring wide = app::WideText(path);
  if (wide.rfind(L"\\\\", 0) == 0) return wide;
  return L"\\\\.\\" + wide;
}

// Milliseconds one byte takes on the line, rounded up.
DWORD ByteTimeMs(const LineSettings& settings) {
  return static_cast<DWORD>(
      std::chrono::ceil<std::chrono::milliseconds>(ByteTime(settings)).count());
}

BYTE ParityCode(Parity parity) {
  switch (parity) {
    case Parity::None: return NOPARITY;
    case Parity::Odd: return ODDPARITY;
    case Parity::Even: return EVENPARITY;
    case Parity::Mark: return MARKPARITY;
    case Parity::Space: return SPACEPARITY;
  }
  return NOPARITY;
}

BYTE StopBitsCode(StopBits stopBits) {
  switch (stopBits) {
    case StopBits::One: return ONESTOPBIT;
    case StopBits::OneAndHalf: return ONE5STOPBITS;
    case StopBits::Two: return TWOSTOPBITS;
  }
  return ONESTOPBIT;
}

class Win32SerialDevice final : public SerialDevice {
 public:
  Win32SerialDevice(HANDLE port, const LineSettings& settings)
      : m_port(port), m_receiveQueue(settings.receiveQueue) {
    // A write fails when the transmitter has taken nothing for the stall time: the driver is
    // given that time plus the line time of the bytes.
    m_timeouts.WriteTotalTimeoutMultiplier = ByteTimeMs(settings);
    m_timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(settings.writeStall.count());
    SetReadWait(0);
  }

  ~Win32SerialDevice() override {
    (void)::EscapeCommFunction(m_port, CLRDTR);
    ::CloseHandle(m_port);
  }

  bool Write(std::span<const std::uint8_t> bytes) override {
    (void)::EscapeCommFunction(m_port, SETRTS);
    bool sent = true;
    std::size_t done = 0;
    while (sent && done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      // A short write means the write time-out ran out: nobody drains the line.
      sent = ::WriteFile(m_port, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
      done += written;
    }
    // RTS must stay up until the bytes have left, not merely until the driver has them.
    if (sent) (void)::FlushFileBuffers(m_port);
    (void)::EscapeCommFunction(m_port, CLRRTS);
    return sent;
  }

  std::size_t ReadAvailable(std::span<std::uint8_t> out) override {
    if (out.empty()) return 0;
    std::size_t count = 0;
    if (m_lookahead) {
      out[count++] = *m_lookahead;
      m_lookahead.reset();
    }
    // The read returns at once with what the driver holds (not every driver counts its queue for
    // ClearCommError: wine's pseudo-terminals say 0).
    ClearLineErrors();
    if (count == out.size() || !SetReadWait(0)) return count;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - count, 1u << 20));
    DWORD got = 0;
    if (::ReadFile(m_port, out.data() + count, want, &got, nullptr)) count += got;
    return count;
  }

  void Purge() override {
    (void)::PurgeComm(m_port, PURGE_RXCLEAR);
    m_lookahead.reset();
    std::vector<std::uint8_t> scratch(m_receiveQueue + 10);
    while (ReadAvailable(scratch) > 0) {
    }
  }

  WaitResult WaitReadable(Clock::Duration timeout) override {
    if (m_lookahead) return WaitResult::Readable;
    ClearLineErrors();
    const DWORD waitMs = timeout > Clock::Duration::zero() ? CeilMs(timeout) : 0;
    if (!SetReadWait(waitMs)) return WaitResult::HungUp;
    std::uint8_t byte = 0;
    DWORD got = 0;
    // A port that is gone (an adapter pulled out, the far end of a pseudo-terminal closed) fails
    // the read.
    if (!::ReadFile(m_port, &byte, 1, &got, nullptr)) return WaitResult::HungUp;
    if (got == 0) return WaitResult::TimedOut;
    m_lookahead = byte;
    return WaitResult::Readable;
  }

 private:
  // Framing, overrun and parity errors are dropped: the frames' check pairs catch what they did.
  void ClearLineErrors() {
    DWORD errors = 0;
    COMSTAT status{};
    (void)::ClearCommError(m_port, &errors, &status);
  }

  // Reads return what is waiting at once (waitMs 0), or wait up to waitMs for the first byte.
  bool SetReadWait(DWORD waitMs) {
    if (m_timeoutsSet && m_timeouts.ReadTotalTimeoutConstant == waitMs) return true;
    m_timeouts.ReadIntervalTimeout = MAXDWORD;
    m_timeouts.ReadTotalTimeoutMultiplier = waitMs == 0 ? 0 : MAXDWORD;
    m_timeouts.ReadTotalTimeoutConstant = waitMs;
    m_timeoutsSet = ::SetCommTimeouts(m_port, &m_timeouts) != 0;
    return m_timeoutsSet;
  }

  HANDLE m_port;
  std::uint32_t m_receiveQueue;
  COMMTIMEOUTS m_timeouts{};
  bool m_timeoutsSet = false;
  std::optional<std::uint8_t> m_lookahead;  // the byte a wait has read ahead
};

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path,
                                               const LineSettings& settings, OpenFailure& failure) {
  failure = OpenFailure{path, {}, false, {}, {}, false};
  const HANDLE port = ::CreateFileW(DeviceName(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    failure.reason = app::SystemErrorText(error);
    // Windows refuses a port that another program has open with "access denied".
    failure.busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    return nullptr;
  }
  DCB line{};
  line.DCBlength = sizeof line;
  if (!::GetCommState(port, &line)) {
    failure.reason = "Not a serial port";
    ::CloseHandle(port);
    return nullptr;
  }
  // A port that opens is used even when the driver refuses a setting.
  (void)::SetupComm(port, settings.receiveQueue, settings.transmitQueue);
  line.BaudRate = BitsPerSecond(settings.baud);
  line.fBinary = TRUE;
  line.fParity = FALSE;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDtrControl = DTR_CONTROL_ENABLE;
  line.fDsrSensitivity = FALSE;
  line.fTXContinueOnXoff = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  line.fErrorChar = FALSE;
  line.fNull = FALSE;
  line.fRtsControl = RTS_CONTROL_DISABLE;
  line.fAbortOnError = FALSE;
  line.ByteSize = static_cast<BYTE>(settings.dataBits);
  line.Parity = ParityCode(settings.parity);
  line.StopBits = StopBitsCode(settings.stopBits);
  (void)::SetCommState(port, &line);
  (void)::EscapeCommFunction(port, SETDTR);
  (void)::EscapeCommFunction(port, CLRRTS);

  auto device = std::make_unique<Win32SerialDevice>(port, settings);
  std::this_thread::sleep_for(kSettleTime);
  device->Purge();
  return device;
}

}  // namespace nuvrel::link
