// Extra: file names, folder listing and the file-open dialog.

#include "quillon/extra.h"

#include "mod_extra.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "quillon/ascii.h"
#include "quillon/paths.h"

namespace quillon {
namespace {

void AddMissing(std::vector<std::string>& names, const std::vector<std::string>& more) {
  for (const std::string& name : more) {
    bool known = false;
    for (const std::string& have : names) known = known || ascii::EqualsNoCase(have, name);
    if (!known) names.push_back(name);
  }
}

// A shared game folder lists what it holds and what this user added to it.
platform::FolderListing ListForUser(const std::string& folder) {
  const std::filesystem::path shared = paths::Resolve(folder, lib::State().AppFolder);
  platform::FolderListing listing = platform::ListFolder(shared);
  const std::filesystem::path mine = lib::MakeAbsolute(folder);
  if (mine != shared) {
    const platform::FolderListing own = platform::ListFolder(mine);
    AddMissing(listing.Files, own.Files);
    AddMissing(listing.Folders, own.Folders);
  }
  return listing;
}

}  // namespace

std::vector<std::string> Extra::FilesInFolder(const std::string& sFolderPath, bool bWithSubFolders,
                                              bool bStripPath) {
  // No folder means the application folder.
  const std::string folder = lib::StripOuterSeparators(sFolderPath);
  const std::string base = folder.empty() ? lib::AbsoluteName("") : lib::AbsoluteName(folder) + "\\";
  std::vector<std::string> names(1);
  try {
    const platform::FolderListing listing = ListForUser(base);
    for (const std::string& file : listing.Files) {
      AddItem2Array1D(names, base + file);
    }
    if (bWithSubFolders) {
      for (const std::string& subFolder : listing.Folders) {
        for (std::string& found : FilesInFolder(base + subFolder, true)) {
          // An empty subfolder answers "", which is no file.
          if (!found.empty()) {
            AddItem2Array1D(names, found);
          }
        }
      }
    }
  } catch (const std::exception&) {
    // A folder that cannot be read lists what was found so far.
  }
  if (bStripPath) {
    for (std::string& name : names) {
      name = GetFileShortName(name);
    }
  }
  return names;
}

std::string Extra::GetFileExt(const std::string& FileName) {
  // The search does not stop at a folder separator: a dot in a folder name
  // counts when the file name has none.
  const std::size_t dot = FileName.rfind('.');
  return dot == std::string::npos ? "" : ascii::ToLower(std::string_view(FileName).substr(dot + 1));
}

std::string Extra::GetFileShortName(const std::string& FilePathName) {
  return paths::ShortName(FilePathName);
}

std::string Extra::ShowOpenDialog(const std::string& Title) {
  std::string openFolder;
  return ShowOpenDialog(Title, openFolder);
}

std::string Extra::ShowOpenDialog(const std::string& Title, std::string& openFolder) {
  openFolder = lib::AbsoluteName(openFolder);
  try {
    return platform::AskForFile(Title, lib::MakeAbsolute(openFolder));
  } catch (const std::exception&) {
    return "";
  }
}

}  // namespace quillon
