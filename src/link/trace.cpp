// SPDX-License-Identifier: MIT
#include "link/trace.h"

namespace nuvrel::link {

TraceLog::TraceLog(const std::string& path)
    : m_file(std::fopen(path.c_str(), "w")), m_start(std::chrono::steady_clock::now()) {}

TraceLog::~TraceLog() {
  if (m_file) std::fclose(m_file);
}

void TraceLog::Note(const std::string& text) {
  if (!m_file) return;
  const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  std::fprintf(m_file, "%.6f -- ", t);
  std::fwrite(text.data(), 1, text.size(), m_file);
  std::fputc('\n', m_file);
  std::fflush(m_file);
}

void TraceLog::Line(const char* direction, std::span<const std::uint8_t> bytes) {
  if (!m_file || bytes.empty()) return;
  const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  std::fprintf(m_file, "%.6f %s", t, direction);
  for (std::uint8_t b : bytes) std::fprintf(m_file, " %02X", b);
  std::fputc('\n', m_file);
  std::fflush(m_file);
}

}  // namespace nuvrel::link
