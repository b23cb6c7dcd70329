#include "ui/SoundPlayer.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>

#include <pulse/channelmap.h>
#include <pulse/sample.h>
#include <pulse/simple.h>
#include <sndfile.h>

#include "localisation/RegularFile.h"

namespace quillbury::ui {

namespace {

using std::chrono::steady_clock;

// Sound effects are short; anything beyond these bounds is not one of ours and could only cost
// memory.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr sf_count_t kMaxSeconds = 60;

// Written a slice at a time so that shutting down need not wait for a whole clip.
constexpr int kSlicesPerSecond = 50;

// How long closing the game waits for a worker stuck in the sound server before leaving it behind.
constexpr std::chrono::milliseconds kShutdownWait{500};

class PulseOutput final : public SoundOutput {
 public:
  ~PulseOutput() override { Close(); }

  bool Open(int rate, int channels) override {
    Close();
    const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(rate),
                                static_cast<std::uint8_t>(channels)};
    if (!pa_sample_spec_valid(&format)) return false;
    pa_channel_map map;
    pa_channel_map_init_extend(&map, format.channels, PA_CHANNEL_MAP_DEFAULT);
    // A short target latency: the server's default of about two seconds would delay the start
    // of each step sound beyond the time the game waits for it.
    pa_buffer_attr attr;
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(40000, &format));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    stream_ = pa_simple_new(nullptr, "Quillbury", PA_STREAM_PLAYBACK, nullptr, "Game sounds",
                            &format, &map, &attr, nullptr);
    return stream_ != nullptr;
  }

  bool Write(const std::int16_t* samples, std::size_t count) override {
    return stream_ != nullptr &&
           pa_simple_write(stream_, samples, count * sizeof(std::int16_t), nullptr) >= 0;
  }

  bool Drain() override { return stream_ != nullptr && pa_simple_drain(stream_, nullptr) >= 0; }

  void Close() override {
    if (stream_ != nullptr) pa_simple_free(stream_);
    stream_ = nullptr;
  }

 private:
  pa_simple* stream_ = nullptr;
};

}  // namespace

std::unique_ptr<SoundOutput> MakePulseOutput() { return std::make_unique<PulseOutput>(); }

std::chrono::nanoseconds SoundPlayer::Clip::Duration() const {
  if (rate <= 0 || channels <= 0) return std::chrono::nanoseconds(0);
  const auto frames =
      static_cast<std::int64_t>(samples.size() / static_cast<std::size_t>(channels));
  return std::chrono::nanoseconds(frames * 1'000'000'000 / rate);
}

// Everything the worker touches. The worker co-owns it, so a worker left behind in a stuck sound
// server at shutdown never reaches freed memory.
struct SoundPlayer::Shared {
  std::unique_ptr<SoundOutput> output;
  std::chrono::milliseconds idleClose;

  std::mutex mutex;
  std::condition_variable wake;  // a job or the stop for the worker
  std::condition_variable done;  // a finished job or the worker's exit for the caller
  std::shared_ptr<const Clip> job;
  std::uint64_t posted = 0;
  std::uint64_t finished = 0;
  Playback result = Playback::kPlayed;
  std::atomic<bool> stop = false;
  bool exited = false;
};

SoundPlayer::SoundPlayer() : SoundPlayer(MakePulseOutput()) {}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output, std::chrono::milliseconds idleClose)
    : shared_(std::make_shared<Shared>()) {
  shared_->output = std::move(output);
  shared_->idleClose = idleClose;
}

SoundPlayer::~SoundPlayer() {
  if (!worker_.joinable()) return;
  std::unique_lock lock(shared_->mutex);
  shared_->stop = true;
  shared_->wake.notify_all();
  const bool exited =
      shared_->done.wait_for(lock, kShutdownWait, [this] { return shared_->exited; });
  lock.unlock();
  // A server that never answers must not keep the game from closing.
  if (exited) {
    worker_.join();
  } else {
    worker_.detach();
  }
}

std::shared_ptr<const SoundPlayer::Clip> SoundPlayer::Decode(const std::string& path) {
  SF_INFO info{};
  // A pipe in place of a wave file would block the walk for good; only regular files are read.
  FileProblem problem = FileProblem::None;
  const int fd = OpenRegularFile(path, &problem);
  if (fd < 0) return nullptr;
  SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
  if (file == nullptr) return nullptr;
  auto clip = std::make_shared<Clip>();
  if (info.channels >= 1 && info.channels <= kMaxChannels && info.samplerate >= kMinRate &&
      info.samplerate <= kMaxRate && info.frames > 0 &&
      info.frames <= kMaxSeconds * info.samplerate) {
    clip->rate = info.samplerate;
    clip->channels = info.channels;
    clip->samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file, clip->samples.data(), info.frames);
    clip->samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0) * info.channels));
  }
  sf_close(file);
  if (clip->samples.empty()) return nullptr;
  return clip;
}

double SoundPlayer::ClipSeconds(const std::string& path) {
  const auto clip = Decode(path);
  return clip ? std::chrono::duration<double>(clip->Duration()).count() : 0.0;
}

Playback SoundPlayer::PlaySound(const std::string& path) {
  std::shared_ptr<const Clip> clip;
  if (auto it = clips_.find(path); it != clips_.end()) {
    clip = it->second;
  } else {
    clip = Decode(path);
    if (!clip) return Playback::kNoClip;
    clips_.emplace(path, clip);
  }

  Shared& s = *shared_;
  std::unique_lock lock(s.mutex);
  if (s.finished != s.posted) return Playback::kSkipped;
  if (!worker_.joinable()) {
    try {
      worker_ = std::thread(&SoundPlayer::Work, shared_);
    } catch (const std::system_error&) {
      return Playback::kNoOutput;
    }
  }
  s.job = clip;
  const std::uint64_t id = ++s.posted;
  s.wake.notify_one();
  const auto deadline = steady_clock::now() + clip->Duration() + kGrace;
  if (!s.done.wait_until(lock, deadline, [&] { return s.finished == id; })) {
    return Playback::kTimedOut;
  }
  return s.result;
}

void SoundPlayer::Work(const std::shared_ptr<Shared>& shared) {
  Shared& s = *shared;
  SoundOutput& out = *s.output;
  bool open = false;
  int openRate = 0;
  int openChannels = 0;

  const auto play = [&](const Clip& clip) {
    if (open && (clip.rate != openRate || clip.channels != openChannels)) {
      out.Close();
      open = false;
    }
    if (!open) {
      if (!out.Open(clip.rate, clip.channels)) return Playback::kNoOutput;
      open = true;
      openRate = clip.rate;
      openChannels = clip.channels;
    }
    const std::size_t slice =
        static_cast<std::size_t>(std::max(1, clip.rate / kSlicesPerSecond) * clip.channels);
    for (std::size_t at = 0; at < clip.samples.size(); at += slice) {
      if (s.stop) return Playback::kPlayed;
      if (!out.Write(clip.samples.data() + at, std::min(slice, clip.samples.size() - at))) {
        out.Close();
        open = false;
        return Playback::kNoOutput;
      }
    }
    if (!out.Drain()) {
      out.Close();
      open = false;
      return Playback::kNoOutput;
    }
    return Playback::kPlayed;
  };

  std::unique_lock lock(s.mutex);
  const auto ready = [&] { return s.stop || s.job != nullptr; };
  while (true) {
    if (open) {
      if (!s.wake.wait_for(lock, s.idleClose, ready)) {
        lock.unlock();
        out.Close();
        open = false;
        lock.lock();
        continue;
      }
    } else {
      s.wake.wait(lock, ready);
    }
    if (s.stop) break;
    const std::shared_ptr<const Clip> clip = std::move(s.job);
    s.job = nullptr;
    const std::uint64_t id = s.posted;
    lock.unlock();
    const Playback result = play(*clip);
    lock.lock();
    s.result = result;
    s.finished = id;
    s.done.notify_all();
  }
  lock.unlock();
  if (open) out.Close();
  lock.lock();
  s.exited = true;
  s.done.notify_all();
}

}  // namespace quillbury::ui
