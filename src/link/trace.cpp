// SPDX-License-Identifier: MIT
#include "link/trace.h"

#include "link/trace_file.h"

namespace nuvrel::link {

std::string TraceLine(const TraceEntry& entry) {
  char head[48];
  std::snprintf(head, sizeof head, "%.6f %s", entry.seconds, entry.direction.c_str());
  std::string line = head;
  if (entry.direction == "--") {
    line += ' ';
    line += entry.note;
    return line;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  line.reserve(line.size() + entry.bytes.size() * 3);
  for (const std::uint8_t b : entry.bytes) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 0x0F];
  }
  return line;
}

TraceLog::TraceLog(const std::string& path) : m_start(std::chrono::steady_clock::now()) {
  m_file = OpenTraceFile(path, m_error);
}

TraceLog::TraceLog(Sink sink)
    : m_sink(std::move(sink)), m_start(std::chrono::steady_clock::now()) {}

TraceLog::~TraceLog() {
  if (m_file) std::fclose(m_file);
}

void TraceLog::Note(const std::string& text) {
  TraceEntry entry;
  entry.direction = "--";
  entry.note = text;
  Add(entry);
}

void TraceLog::Bytes(const char* direction, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  TraceEntry entry;
  entry.direction = direction;
  entry.bytes.assign(bytes.begin(), bytes.end());
  Add(entry);
}

void TraceLog::Add(const TraceEntry& entry) {
  if (!m_file && !m_sink) return;
  TraceEntry timed = entry;
  timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  if (m_sink) m_sink(timed);
  if (m_file) {
    const std::string line = TraceLine(timed) + '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
  }
}

}  // namespace nuvrel::link
