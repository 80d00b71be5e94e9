#pragma once
// VideoRecorder: turns what a host draws and plays into a video file, frame
// by frame and faster than real time. Each frame is the picture the
// Engine's window shows and the next 1/50 s of the process's sound (every
// effect of the Engine and every MP3Player, mixed as a sound card would mix
// them but offline), so picture and sound stay in step however fast the
// frames come.
//
// ".mp4" files get H.264 and AAC, ".mkv" files H.264 and Opus, ".webm"
// files VP9 and Opus. The file is written under a temporary name in its own folder and takes its
// name only when Finish succeeds: an abandoned or failed recording leaves
// no file behind, and an older file of that name stays until then.
//
// Errors never leave as exceptions: operations return False with the reason
// in their error argument.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quillon {

class Engine;

class VideoRecorder {
 public:
  static constexpr int kFramesPerSecond = 50;
  static constexpr int kSampleRate = 48000;

  VideoRecorder();
  ~VideoRecorder();  // abandons a recording that was not finished
  VideoRecorder(const VideoRecorder&) = delete;
  VideoRecorder& operator=(const VideoRecorder&) = delete;

  // False, with the reason, when file cannot name a video this recorder
  // writes (its extension, a folder of that name, a folder that is missing).
  static bool CheckFileName(const std::filesystem::path& file, std::string& error);

  // The temporary file a recording of file uses while the process pid
  // writes it, so that whoever had to kill that process can remove it.
  static std::filesystem::path TemporaryFile(const std::filesystem::path& file, long pid);

  // Starts the file: pictures of width x height, each pixel scale x scale in
  // the file. False, with the reason (a folder that cannot be written, a
  // codec this system lacks), when it cannot be written; nothing is left
  // behind then.
  bool Open(const std::filesystem::path& file, int width, int height, int scale, std::string& error);

  // Takes the sound of the process for the recording: every Engine and
  // MP3Player that opens the sound device after this call plays into the
  // recording instead of a sound card. Call it before the engine starts.
  // False when a sound device is already open.
  bool CaptureSound(std::string& error);

  // The next frame: the picture the engine's window shows since its last
  // present, and the next 1/50 s of sound (silence without CaptureSound).
  bool AddFrame(Engine& engine, std::string& error);

  // Ends the file and gives it its name.
  bool Finish(std::string& error);
  // Stops and removes the unfinished file.
  void Abandon();

  std::int64_t Frames() const;

  // Where the processor time of a recording went. Frames are converted and
  // encoded on a thread of the recorder's own, a frame or two behind
  // AddFrame, so the host draws the next frame meanwhile.
  struct TimeSpent {
    double Picture = 0;     // reading and copying the window (caller's thread)
    double SoundMix = 0;    // mixing the sound (caller's thread)
    double Conversion = 0;  // colours and size for the video codec (encoder's thread)
    double Video = 0;       // video codec and file (encoder's thread; the codec's own threads aside)
    double Sound = 0;       // sound codec and file (encoder's thread)
  };
  TimeSpent Times() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillon
