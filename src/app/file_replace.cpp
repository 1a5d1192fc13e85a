// SPDX-License-Identifier: MIT
// Saving files and telling the person when it fails; PendingFile is in posix_file_replace.cpp and
// win32_file_replace.cpp.
#include "app/file_replace.h"

#include <memory>

#include "app/format.h"
#include "app/ui.h"

namespace nuvrel::app {

ReplaceStatus ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  PendingFile file(path, bytes);
  return file.Commit();
}

namespace {

void TellFailure(Ui& ui, const std::filesystem::path& path, ReplaceStatus status) {
  const Sid id =
      status == ReplaceStatus::CannotCreate ? Sid::CannotCreateFile : Sid::ErrorWritingFile;
  ui.ShowMessage(Format(id, {path}), Icon::Error);
}

}  // namespace

bool SaveFile(Ui& ui, const std::filesystem::path& path, std::string_view bytes) {
  const ReplaceStatus status = ReplaceFile(path, bytes);
  if (status != ReplaceStatus::Replaced) TellFailure(ui, path, status);
  return status == ReplaceStatus::Replaced;
}

bool SaveFiles(Ui& ui, const std::vector<FileContentsToSave>& files) {
  std::vector<std::unique_ptr<PendingFile>> pending;
  for (const FileContentsToSave& file : files) {
    pending.push_back(std::make_unique<PendingFile>(file.path, file.bytes));
    if (pending.back()->Prepared() != ReplaceStatus::Replaced) {
      TellFailure(ui, file.path, pending.back()->Prepared());
      return false;
    }
  }
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const ReplaceStatus status = pending[i]->Commit();
    if (status != ReplaceStatus::Replaced) {
      TellFailure(ui, files[i].path, status);
      return false;
    }
  }
  return true;
}

}  // namespace nuvrel::app
