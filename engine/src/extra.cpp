// Extra: INI access, the log, the frame counters and the web services.

#include "quillon/extra.h"

#include "highscore_table.h"
#include "mod_extra.h"
#include "platform/desktop.h"
#include "platform/download.h"
#include "quillon/profile.h"

#include <chrono>
#include <thread>

namespace quillon {

Extra::Extra() = default;
Extra::~Extra() = default;

// --- INI files.

std::string Extra::INIRead(const std::string& Section, const std::string& KeyName,
                           const std::string& FileName, bool Decrypt) {
  try {
    std::string value = profile::ReadString(lib::MakeAbsolute(FileName), Section, KeyName, "");
    return Decrypt ? EnDeCode(value, DefaultScrambleByte) : value;
  } catch (const std::exception&) {
    return "";
  }
}

std::int16_t Extra::INIWrite(const std::string& Section, const std::string& KeyName,
                             const std::string& NewString, const std::string& FileName, bool Encrypt) {
  try {
    const std::string value = Encrypt ? EnDeCode(NewString, DefaultScrambleByte) : NewString;
    return profile::WriteString(lib::EditPath(FileName), Section, KeyName, value) ? 1 : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

std::string Extra::EnDeCode(const std::string& strOld, std::uint8_t bcode) {
  std::string out = strOld;
  for (char& c : out) {
    c = static_cast<char>(static_cast<unsigned char>(c) ^ bcode);
  }
  return out;
}

// --- Log and file checks.

void Extra::SaveLog(const std::string& vText) {
  std::string logFile;
  SaveLog(vText, logFile);
}

void Extra::SaveLog(const std::string& vText, std::string& logFile) {
  logFile = logFile.empty() ? lib::State().AppFolder + "\\log.txt" : lib::AbsoluteName(logFile);
  try {
    lib::SaveLog(vText, logFile);
  } catch (const std::exception&) {
    // The log is best effort: nothing to report a failure to.
  }
}

bool Extra::FileExists(const std::string& FilePath) {
  try {
    return lib::FileExists(FilePath);
  } catch (const std::exception&) {
    return false;
  }
}

// --- Frame limiter and counter.

void Extra::SetFPSLimit(std::int16_t intFPS) { lib::State().FpsLimit = intFPS; }

std::int32_t Extra::GetFps() const { return lib::State().PublishedFps; }

std::int32_t Extra::GetFpsTooMuch() const { return lib::State().SpinCount; }

void Extra::Sleep(std::int32_t Milliseconds) {
  if (Milliseconds > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
  }
}

// --- Web.

void Extra::OpenWebsite(const std::string& FullLink) {
  try {
    platform::OpenWithDesktop(FullLink);
  } catch (const std::exception&) {
  }
}

bool Extra::DownloadFile(const std::string& URL, const std::string& LocalFolder_Filename) {
  try {
    return platform::DownloadToFile(URL,
                                    lib::WritePath(lib::State().AppFolder + "\\" + LocalFolder_Filename));
  } catch (const std::exception&) {
    return false;
  }
}

bool Extra::IsOnline() { return platform::IsNetworkUp(); }

// --- Library-wide constants.

float Extra::Pi() const { return lib::State().Pi; }

float Extra::Rad() const { return lib::State().Rad; }

}  // namespace quillon
