// SPDX-License-Identifier: MIT
// The serial device over POSIX termios. Pseudo-terminals take the same path; modem-line calls that
// a pseudo-terminal refuses are ignored.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "app/unique_fd.h"
#include "link/serial_device.h"

namespace nuvrel::link {
namespace {

// The line settles this long after the settings were applied, before the receive queue is purged.
constexpr auto kSettleTime = std::chrono::milliseconds(10);

speed_t SpeedFor(Baud baud) {
  switch (baud) {
    case Baud::k110: return B110;
    case Baud::k300: return B300;
    case Baud::k600: return B600;
    case Baud::k1200: return B1200;
    case Baud::k2400: return B2400;
    case Baud::k4800: return B4800;
    case Baud::k9600: return B9600;
    case Baud::k19200: return B19200;
    case Baud::k38400: return B38400;
    case Baud::k57600: return B57600;
    case Baud::k115200: return B115200;
  }
  return B9600;
}

tcflag_t SizeFor(DataBits dataBits) {
  switch (dataBits) {
    case DataBits::k5: return CS5;
    case DataBits::k6: return CS6;
    case DataBits::k7: return CS7;
    case DataBits::k8: return CS8;
  }
  return CS8;
}

tcflag_t ParityFlags(Parity parity) {
  switch (parity) {
    case Parity::None: return 0;
    case Parity::Odd: return PARENB | PARODD;
    case Parity::Even: return PARENB;
    case Parity::Mark: return PARENB | PARODD | CMSPAR;
    case Parity::Space: return PARENB | CMSPAR;
  }
  return 0;
}

int PollTimeoutMs(Clock::Duration timeout) {
  if (timeout <= Clock::Duration::zero()) return 0;
  // Round up, so that a wait for the last fraction of a millisecond does not turn into a spin.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
  return ms > 60'000 ? 60'000 : static_cast<int>(ms);
}

// Unix 98 pseudo-terminal slaves have these major device numbers.
bool IsPseudoTerminal(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned kind = major(st.st_rdev);
  return kind >= 136 && kind <= 143;
}

void SetModemLine(int fd, int line, bool on) {
  // A pseudo-terminal refuses these; the line is then simply not driven.
  (void)ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

class PosixSerialDevice final : public SerialDevice {
 public:
  PosixSerialDevice(app::UniqueFd fd, const LineSettings& settings)
      : m_fd(std::move(fd)),
        m_receiveQueue(settings.receiveQueue),
        m_writeStall(settings.writeStall),
        m_byteTime(settings.pacePseudoTerminal && IsPseudoTerminal(m_fd.Get())
                       ? ByteTime(settings)
                       : std::chrono::nanoseconds{}) {}

  ~PosixSerialDevice() override {
    // Leave the device open for others: exclusive mode would otherwise outlive us while another
    // process (the simulator, say) still holds the terminal.
    (void)ioctl(m_fd.Get(), TIOCNXCL);
    SetModemLine(m_fd.Get(), TIOCM_DTR, false);
    flock(m_fd.Get(), LOCK_UN);
  }

  bool Write(std::span<const std::uint8_t> bytes) override {
    const auto start = std::chrono::steady_clock::now();
    SetModemLine(m_fd.Get(), TIOCM_RTS, true);
    const bool sent = WriteAll(bytes);
    if (sent) {
      // RTS must stay up until the last stop bit has left, not merely until the driver has the
      // bytes.
      while (tcdrain(m_fd.Get()) != 0 && errno == EINTR) {
      }
      // A pseudo-terminal has no transmitter and drains at once; the write takes its line time
      // anyway, so that the exchange runs as it would on the serial line the terminal stands for.
      if (m_byteTime.count() > 0) {
        std::this_thread::sleep_until(start + m_byteTime * static_cast<long>(bytes.size()));
      }
    }
    SetModemLine(m_fd.Get(), TIOCM_RTS, false);
    return sent;
  }

  std::size_t ReadAvailable(std::span<std::uint8_t> out) override {
    if (out.empty()) return 0;
    int waiting = 0;
    if (ioctl(m_fd.Get(), FIONREAD, &waiting) != 0 || waiting <= 0) return 0;
    const std::size_t want = std::min(out.size(), static_cast<std::size_t>(waiting));
    for (;;) {
      const ssize_t n = read(m_fd.Get(), out.data(), want);
      if (n > 0) return static_cast<std::size_t>(n);
      if (n < 0 && errno == EINTR) continue;
      return 0;
    }
  }

  void Purge() override {
    tcflush(m_fd.Get(), TCIFLUSH);
    std::vector<std::uint8_t> scratch(m_receiveQueue + 10);
    while (ReadAvailable(scratch) > 0) {
    }
  }

  WaitResult WaitReadable(Clock::Duration timeout) override {
    pollfd p{m_fd.Get(), POLLIN, 0};
    int r;
    do {
      r = poll(&p, 1, PollTimeoutMs(timeout));
    } while (r < 0 && errno == EINTR);
    if (r == 0) return WaitResult::TimedOut;
    if (r < 0) return WaitResult::HungUp;
    int waiting = 0;
    if (ioctl(m_fd.Get(), FIONREAD, &waiting) == 0 && waiting > 0) return WaitResult::Readable;
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitResult::HungUp;
    return (p.revents & POLLIN) ? WaitResult::Readable : WaitResult::TimedOut;
  }

 private:
  // A write may take far longer than any fixed limit (a large block at 9600 baud drains at about
  // 960 bytes a second), so the limit is on progress: the line fails only when the transmitter has
  // taken nothing for the stall time.
  bool WriteAll(std::span<const std::uint8_t> bytes) {
    auto deadline = std::chrono::steady_clock::now() + m_writeStall;
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(m_fd.Get(), bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        deadline = std::chrono::steady_clock::now() + m_writeStall;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return false;
      const auto left = deadline - std::chrono::steady_clock::now();
      if (left <= Clock::Duration::zero()) return false;
      pollfd p{m_fd.Get(), POLLOUT, 0};
      if (poll(&p, 1, PollTimeoutMs(left)) < 0 && errno != EINTR) return false;
      if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return false;
    }
    return true;
  }

  app::UniqueFd m_fd;
  std::uint32_t m_receiveQueue;
  std::chrono::milliseconds m_writeStall;
  std::chrono::nanoseconds m_byteTime;  // a pseudo-terminal's line time per byte; zero otherwise
};

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path,
                                               const LineSettings& settings, OpenFailure& failure) {
  failure = OpenFailure{path, {}, false, {}, {}, false};
  app::UniqueFd fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    const int error = errno;
    failure.reason = std::strerror(error);
    failure.permissionDenied = error == EACCES || error == EPERM;
    if (failure.permissionDenied) failure.group = DeviceGroup(path);
    // Another program's terminal exclusive mode.
    if (error == EBUSY) failure.holder = FindPortHolder(path);
    return nullptr;
  }
  // Exclusive use: the lock keeps out every program that asks first (ours always do), the
  // terminal's exclusive mode keeps out the rest.
  if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    failure.reason = "Device or resource busy";
    failure.holder = FindPortHolder(path);
    return nullptr;
  }
  termios tio{};
  if (tcgetattr(fd.Get(), &tio) != 0) {
    failure.reason = "Not a serial port";
    return nullptr;
  }
  (void)ioctl(fd.Get(), TIOCEXCL);

  cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  tio.c_cflag |= SizeFor(settings.dataBits) | CLOCAL | CREAD;
  tio.c_cflag |= ParityFlags(settings.parity);
  // POSIX has no one and a half stop bits: two stand in for them.
  if (settings.stopBits != StopBits::One) tio.c_cflag |= CSTOPB;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, SpeedFor(settings.baud));
  cfsetospeed(&tio, SpeedFor(settings.baud));
  // A port that opens is used even when the driver refuses a setting.
  (void)tcsetattr(fd.Get(), TCSANOW, &tio);
  SetModemLine(fd.Get(), TIOCM_DTR, true);
  SetModemLine(fd.Get(), TIOCM_RTS, false);

  auto device = std::make_unique<PosixSerialDevice>(std::move(fd), settings);
  std::this_thread::sleep_for(kSettleTime);
  device->Purge();
  return device;
}

}  // namespace nuvrel::link
