// Extra: the PAK archive operations. The archive is read whole when it is
// opened and every entry's bytes stay in memory; the archive file is only
// opened for the length of one operation and always replaced in one step, so
// a failed add or delete leaves it as it was.

#include "quillon/extra.h"

#include "mod_extra.h"
#include "pak_archive.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "quillon/ascii.h"
#include "quillon/atomic_file.h"
#include "quillon/paths.h"

#include <algorithm>
#include <utility>

namespace quillon {

namespace {

pak::Archive& OpenArchive() { return lib::State().Pak; }

// Names given with a drive letter or from the root are looked up by their
// short name.
std::string NameInArchive(const std::string& name) {
  return paths::IsAbsolute(name) ? Extra::GetFileShortName(name) : name;
}

bool Load(const std::string& name) {
  const std::filesystem::path file = lib::MakeAbsolute(name);
  std::string bytes;
  if (!platform::ReadWholeFile(file, bytes)) {
    return false;
  }
  pak::Archive archive{file.string(), pak::ParseIndex(bytes)};
  OpenArchive() = std::move(archive);
  return true;
}

bool AddToArchive(const std::string& fileName, const std::string& storedName) {
  pak::Archive& archive = OpenArchive();
  std::string data;
  if (!platform::ReadWholeFile(lib::MakeAbsolute(fileName), data) || !pak::IsStorable(storedName, data)) {
    return false;
  }
  // Append to what is on disk, not to the index: names the index refused
  // stay in the file.
  // In a shared folder the archive grows as this user's copy.
  const std::filesystem::path current = paths::ForReading(std::filesystem::path(archive.Path));
  std::string bytes;
  if (platform::PathExists(current) && !platform::ReadWholeFile(current, bytes)) {
    return false;
  }
  bytes += pak::LeadingMarkerEntry(storedName, data);
  if (!WriteFileAtomically(paths::ForWriting(std::filesystem::path(archive.Path)), bytes)) {
    return false;
  }
  pak::Entry entry = pak::MakeEntry(storedName, data);
  for (pak::Entry& record : archive.Index) {
    if (record.IsEmpty()) {
      record = std::move(entry);
      return true;
    }
  }
  archive.Index.push_back(std::move(entry));
  return true;
}

}  // namespace

bool Extra::PAK_OpenPAK(const std::string& FileName, bool ShowDialog, const std::string& Title,
                        const std::string& DialogOpenFolder) {
  try {
    if (!ShowDialog) {
      return Load(FileName);
    }
    std::string folder = DialogOpenFolder;
    const std::string chosen = ShowOpenDialog(Title, folder);
    return !chosen.empty() && Load(chosen);
  } catch (const std::exception&) {
    return false;
  }
}

bool Extra::PAK_AddFile(const std::string& FileName) {
  std::string fileRename;
  return PAK_AddFile(FileName, fileRename);
}

bool Extra::PAK_AddFile(const std::string& FileName, std::string& FileRename, bool ErrorReportMsgBox) {
  pak::Archive& archive = OpenArchive();
  if (archive.Path.empty()) {
    return false;
  }
  if (FileRename.empty()) {
    FileRename = FileName;
  }
  const std::string shortName = pak::SafeShortName(FileRename);
  // A single record is either the only entry or the empty index of a new
  // archive; names are compared only when there are more.
  if (!shortName.empty() && archive.Index.size() > 1) {
    for (const pak::Entry& record : archive.Index) {
      if (ascii::EqualsNoCase(record.ShortName, shortName)) {
        if (ErrorReportMsgBox) {
          platform::ShowMessageBox("File already exists : " + GetFileShortName(FileName), "Error!");
        }
        return false;
      }
    }
  }
  bool added = false;
  try {
    added = !shortName.empty() && AddToArchive(FileName, FileRename);
  } catch (const std::exception&) {
    added = false;
  }
  if (!added) {
    lib::SaveLog("PAK - Error adding file : " + lib::LogPath(FileName) + " '&' " + FileRename);
  }
  return added;
}

bool Extra::PAK_ExtractFile(const std::string& FileName_inPAK, const std::string& DifferentFileName,
                            bool NotifyResult) {
  const pak::Archive& archive = OpenArchive();
  if (archive.Path.empty()) {
    return false;
  }
  const std::string name = NameInArchive(FileName_inPAK);
  const std::string target = DifferentFileName.empty() ? name : DifferentFileName;
  for (const pak::Entry& record : archive.Index) {
    if (record.IsEmpty() || !ascii::EqualsNoCase(ascii::TrimBlanks(record.ShortName), name)) {
      continue;
    }
    bool written = false;
    try {
      written = WriteFileAtomically(lib::WritePath(target), record.Data);
    } catch (const std::exception&) {
      written = false;
    }
    if (!written) {
      lib::SaveLog("PAK - Error Extracting file : " + lib::LogPath(target));
      return false;
    }
    if (NotifyResult) {
      platform::ShowMessageBox("Done!", "File Extraction");
    }
    return true;
  }
  if (NotifyResult) {
    platform::ShowMessageBox("Error: " + target, "File Extraction");
  }
  return false;
}

bool Extra::PAK_ExtractAll(const std::string& FilesPath) {
  const pak::Archive& archive = OpenArchive();
  if (archive.Path.empty()) {
    return false;
  }
  std::string folder = FilesPath;
  if (!folder.empty() && folder.front() == '\\') {
    folder = lib::State().AppFolder + folder;
  }
  folder = lib::AbsoluteName(folder);
  if (folder.back() != '\\' && folder.back() != '/') {
    folder += '\\';
  }
  lib::CreateFolder(folder);
  for (const pak::Entry& record : archive.Index) {
    // Records emptied by PAK_DeleteFile have nothing to write.
    if (record.IsEmpty()) {
      continue;
    }
    bool written = false;
    try {
      written = WriteFileAtomically(lib::WritePath(folder + record.ShortName), record.Data);
    } catch (const std::exception&) {
      written = false;
    }
    if (!written) {
      lib::SaveLog("PAK - Error Extracting All files : " + lib::LogPath(folder) + " '&' " + record.ShortName);
      return false;
    }
  }
  return true;
}

bool Extra::PAK_DeleteFile(const std::string& FileName) {
  pak::Archive& archive = OpenArchive();
  if (archive.Path.empty()) {
    return false;
  }
  const std::string name = NameInArchive(FileName);
  pak::Entry* deleted = nullptr;
  for (pak::Entry& record : archive.Index) {
    if (!record.IsEmpty() && ascii::EqualsNoCase(record.ShortName, name)) {
      deleted = &record;
      break;
    }
  }
  pak::Entry kept;
  if (deleted != nullptr) {
    kept = std::exchange(*deleted, pak::Entry{});
  }
  bool written = false;
  try {
    written = WriteFileAtomically(paths::ForWriting(std::filesystem::path(archive.Path)),
                                  pak::TrailingMarkerArchive(archive.Index));
  } catch (const std::exception&) {
    written = false;
  }
  if (!written) {
    // The file still holds the entry, so the index keeps it too.
    if (deleted != nullptr) {
      *deleted = std::move(kept);
    }
    lib::SaveLog("PAK - Error deleting file : " + FileName);
    return false;
  }
  return true;
}

std::int16_t Extra::PAK_FileCount() const {
  const pak::Archive& archive = OpenArchive();
  if (archive.Path.empty()) {
    return 0;
  }
  std::size_t count = 0;
  for (const pak::Entry& record : archive.Index) {
    count += record.IsEmpty() ? 0 : 1;
  }
  return static_cast<std::int16_t>(std::min<std::size_t>(count, INT16_MAX));
}

}  // namespace quillon
