#pragma once
// Extra: the engine library's utility class. A score table file, the PAK
// archive, INI access with optional scrambling of values, the log, frame
// limiting and counting, files and folders, web and geometry services.
//
// Types follow the library's published interface: Integer = int16_t,
// Long = int32_t, Single = float, Boolean = bool; arguments the operation
// changes are non-const references. A Variant result that may be Empty is a
// std::string ("" for Empty); Variant numbers are the number type they hold.
// No operation throws: failures are logged to "log.txt" and answered with
// false, 0 or "".

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quillon {

class HighScoreTable;

// A rectangle in pixels, edges included.
struct Rectangle {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

class Extra {
 public:
  // The byte INIRead/INIWrite scramble with, and EnDeCode's default byte.
  static constexpr std::uint8_t DefaultScrambleByte = 0xF0;

  Extra();
  ~Extra();
  Extra(const Extra&) = delete;
  Extra& operator=(const Extra&) = delete;

  // --- Score table: one ranked table per object, kept in an INI file.
  // Create writes back the name made absolute and the TopX and
  // additionalValues found in an existing file.
  bool HighScore_Create();
  bool HighScore_Create(std::string& FileName);
  bool HighScore_Create(std::string& FileName, std::int16_t& TopX);
  bool HighScore_Create(std::string& FileName, std::int16_t& TopX, std::int16_t& additionalValues);
  // Value[j] is stored as value j; missing values are stored as "".
  std::int16_t HighScore_NewScore(float Score, const std::string& Name,
                                  const std::vector<std::string>& Value = {});
  std::int16_t HighScore_CheckPos(float Score) const;
  float HighScore_GetScore(std::int16_t Index) const;
  std::string HighScore_GetName(std::int16_t Index) const;
  std::string HighScore_GetValue(std::int16_t Index, std::int16_t valueIndex) const;

  // --- PAK archive: one open archive per process, shared by every object.
  bool PAK_OpenPAK(const std::string& FileName = "", bool ShowDialog = false,
                   const std::string& Title = "Open File", const std::string& DialogOpenFolder = "");
  bool PAK_AddFile(const std::string& FileName, std::string& FileRename, bool ErrorReportMsgBox = false);
  bool PAK_AddFile(const std::string& FileName);
  bool PAK_ExtractFile(const std::string& FileName_inPAK, const std::string& DifferentFileName = "",
                       bool NotifyResult = false);
  bool PAK_ExtractAll(const std::string& FilesPath = "");
  bool PAK_DeleteFile(const std::string& FileName);
  std::int16_t PAK_FileCount() const;

  // --- INI files; values optionally scrambled with DefaultScrambleByte.
  std::string INIRead(const std::string& Section, const std::string& KeyName, const std::string& FileName,
                      bool Decrypt = false);
  // Non-zero on success, 0 when the file could not be written.
  std::int16_t INIWrite(const std::string& Section, const std::string& KeyName, const std::string& NewString,
                        const std::string& FileName, bool Encrypt = false);
  // Exclusive or of every byte with bcode; applying it twice gives the text back.
  static std::string EnDeCode(const std::string& strOld, std::uint8_t bcode = DefaultScrambleByte);

  // --- Log and file checks. logFile "" means "log.txt" in the application
  // folder; the variable receives the name used.
  void SaveLog(const std::string& vText);
  void SaveLog(const std::string& vText, std::string& logFile);
  bool FileExists(const std::string& FilePath);

  // --- Frame limiter and counter (shared with Engine::RenderAll).
  void SetFPSLimit(std::int16_t intFPS = 50);
  std::int32_t GetFps() const;         // frames of the last full second
  std::int32_t GetFpsTooMuch() const;  // wait iterations of the last frame
  void Sleep(std::int32_t Milliseconds);

  // --- Files and folders. FilesInFolder("") lists the application folder;
  // the result always has at least one element ("" for an empty folder).
  std::vector<std::string> FilesInFolder(const std::string& sFolderPath = "", bool bWithSubFolders = false,
                                         bool bStripPath = true);
  // Puts VarValue into the last element when that element is empty for its
  // type (0, "", false), else appends it. Arrays of other element types
  // never grow: the value replaces the last element.
  template <class T>
  static void AddItem2Array1D(std::vector<T>& VarArray, const std::type_identity_t<T>& VarValue);
  static std::string GetFileExt(const std::string& FileName);
  static std::string GetFileShortName(const std::string& FilePathName);
  // The chosen file, or "" when cancelled or no dialog is available.
  std::string ShowOpenDialog(const std::string& Title, std::string& openFolder);
  std::string ShowOpenDialog(const std::string& Title = "Open File");

  // --- Web.
  void OpenWebsite(const std::string& FullLink);
  bool DownloadFile(const std::string& URL, const std::string& LocalFolder_Filename);
  bool IsOnline();

  // --- Geometry and random numbers. Angles are degrees, growing clockwise
  // on a screen whose Y grows downwards.
  float Pi() const;   // 0 until an engine has started
  float Rad() const;  // Pi / 180; 0 until an engine has started
  std::int32_t RndNum(std::int32_t MinNum, std::int32_t MaxNum);
  static bool IsRectInRect(const Rectangle& Rect1, const Rectangle& Rect2);
  static bool IsPointInRect(double XPosition, double YPosition, const Rectangle& CRect);
  bool IsMouseOverArea(float X1, float Y1, float Width, float Height) const;
  static void WrapAngle(float& Ang);
  static float GetDistance(float X1, float Y1, float X2, float Y2);
  static float GetAngle(float X1, float Y1, float X2, float Y2);
  static void GoToAngle(float& X, float& Y, float Angle, float Speed = 1);

 private:
  std::unique_ptr<HighScoreTable> scores_;
};

template <class T>
void Extra::AddItem2Array1D(std::vector<T>& VarArray, const std::type_identity_t<T>& VarValue) {
  if (VarArray.empty()) {
    VarArray.push_back(VarValue);
    return;
  }
  auto&& last = VarArray.back();  // a proxy for std::vector<bool>
  bool lastIsEmpty;
  if constexpr (std::is_same_v<T, bool>) {
    lastIsEmpty = !last;
  } else if constexpr (std::is_arithmetic_v<T>) {
    lastIsEmpty = last == T{0};
  } else if constexpr (std::is_same_v<T, std::string>) {
    lastIsEmpty = last.empty();
  } else {
    last = VarValue;
    return;
  }
  if (lastIsEmpty) {
    last = VarValue;
  } else {
    VarArray.push_back(VarValue);
  }
}

}  // namespace quillon
