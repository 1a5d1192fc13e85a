// SPDX-License-Identifier: MIT
// The --link symlink: a fixed path that points at the pseudo-terminal's slave while the simulator
// runs, so that settings files and scripts need not know the /dev/pts number.
#pragma once

#include <optional>
#include <string>

namespace nuvrel::sim {

struct SlaveLinkCreate;

class SlaveLink {
 public:
  // Makes path a symlink to target. An existing symlink at path is replaced; anything else there
  // is left alone and the result tells why there is no link.
  static SlaveLinkCreate Create(const std::string& path, const std::string& target);

  // Removes the symlink, unless it no longer points at the target (someone else's by now).
  ~SlaveLink();
  SlaveLink(SlaveLink&& other) noexcept;
  SlaveLink& operator=(SlaveLink&& other) noexcept;
  SlaveLink(const SlaveLink&) = delete;
  SlaveLink& operator=(const SlaveLink&) = delete;

 private:
  SlaveLink(std::string path, std::string target);
  void Remove();

  std::string m_path;  // empty once moved from
  std::string m_target;
};

struct SlaveLinkCreate {
  std::optional<SlaveLink> link;
  std::string error;
};

}  // namespace nuvrel::sim
