#pragma once
// Downloads with libcurl.

#include <filesystem>
#include <string>

namespace quillon::platform {

// Fetches url (http, https, ftp or file) and replaces file with what arrived,
// in one step. False on any failure, an HTTP error status included; the file
// is then left as it was.
bool DownloadToFile(const std::string& url, const std::filesystem::path& file);

}  // namespace quillon::platform
