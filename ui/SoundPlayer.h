#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace quillbury::ui {

// Where decoded samples go. The player drives it from its worker thread only, so an
// implementation may block in any call; the game keeps going regardless.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Connects for 16-bit interleaved samples of this format; false when there is no sound server.
  virtual bool Open(int rate, int channels) = 0;
  virtual bool Write(const std::int16_t* samples, std::size_t count) = 0;
  // Returns once everything written has been heard.
  virtual bool Drain() = 0;
  virtual void Close() = 0;
};

// The desktop's sound server through PulseAudio's simple API (PipeWire serves it too).
std::unique_ptr<SoundOutput> MakePulseOutput();

enum class Playback {
  kPlayed,    // the clip was heard to its end
  kNoClip,    // missing or undecodable file
  kNoOutput,  // no sound server, or it failed during the clip
  kTimedOut,  // the server took longer than the clip plus the grace; the clip plays on, unwaited
  kSkipped,   // the server is still busy with an earlier clip
};

// Plays wave files synchronously, as the game's rules expect: PlaySound returns when the clip has
// ended, without running an event loop, so no timer can re-enter the caller meanwhile. A stalled
// sound server costs at most the clip's length plus kGrace per call, and clips asked for while it
// is still stuck are skipped at once. Used from one thread, the GUI's.
class SoundPlayer {
 public:
  static constexpr std::chrono::milliseconds kGrace{100};

  SoundPlayer();
  // idleClose: how long the connection stays open after the last clip, so that a walk's step
  // sounds share one connection without holding the sound device for the whole game.
  explicit SoundPlayer(std::unique_ptr<SoundOutput> output,
                       std::chrono::milliseconds idleClose = std::chrono::seconds(2));
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  Playback PlaySound(const std::string& path);

  // Length of the clip in seconds; 0 when the file cannot be played.
  static double ClipSeconds(const std::string& path);

 private:
  struct Clip {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;  // interleaved
    std::chrono::nanoseconds Duration() const;
  };
  struct Shared;
  static std::shared_ptr<const Clip> Decode(const std::string& path);
  static void Work(const std::shared_ptr<Shared>& shared);

  std::shared_ptr<Shared> shared_;
  std::thread worker_;
  std::unordered_map<std::string, std::shared_ptr<const Clip>> clips_;
};

}  // namespace quillbury::ui
