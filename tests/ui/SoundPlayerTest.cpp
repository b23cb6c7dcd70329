#include "ui/SoundPlayer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

namespace quillbury::ui {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kAssets = QUILLBURY_ASSETS;
const std::string kGo1 = kAssets + "/Go1.wav";
const std::string kGo2 = kAssets + "/Go2.wav";

// A 16-bit PCM wave file as the test sees it, read and written without the player's decoder.
struct Pcm {
  int rate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;
};

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

Pcm ReadPcm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string b{std::istreambuf_iterator<char>(in), {}};
  Pcm pcm;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id = b.substr(at, 4);
    const std::size_t size = Le(b, at + 4, 4);
    if (id == "fmt ") {
      pcm.channels = static_cast<int>(Le(b, at + 10, 2));
      pcm.rate = static_cast<int>(Le(b, at + 12, 4));
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size && at + 8 + i + 1 < b.size(); i += 2)
        pcm.samples.push_back(static_cast<std::int16_t>(Le(b, at + 8 + i, 2)));
    }
    at += 8 + size + (size & 1);
  }
  return pcm;
}

void WritePcm(const std::string& path, const Pcm& pcm) {
  const auto put = [](std::string& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i) & 0xff));
  };
  const auto dataBytes = static_cast<std::uint32_t>(pcm.samples.size() * 2);
  std::string b = "RIFF";
  put(b, 36 + dataBytes, 4);
  b += "WAVEfmt ";
  put(b, 16, 4);
  put(b, 1, 2);
  put(b, pcm.channels, 2);
  put(b, pcm.rate, 4);
  put(b, pcm.rate * pcm.channels * 2, 4);
  put(b, pcm.channels * 2, 2);
  put(b, 16, 2);
  b += "data";
  put(b, dataBytes, 4);
  for (std::int16_t s : pcm.samples) put(b, static_cast<std::uint16_t>(s), 2);
  std::ofstream(path, std::ios::binary) << b;
}

// What the fake sound server saw, shared with the test so it outlives the player.
struct Server {
  enum class Stage { kNone, kOpen, kWrite, kDrain };

  std::mutex mutex;
  std::condition_variable changed;
  int opens = 0;
  int closes = 0;
  std::vector<std::pair<int, int>> formats;
  std::vector<std::int16_t> heard;
  bool failNextWrite = false;
  Stage stallAt = Stage::kNone;
  bool stalled = false;

  void Release() {
    std::lock_guard lock(mutex);
    stallAt = Stage::kNone;
    changed.notify_all();
  }
  // Waits for a condition the player must reach on its own; the bound only keeps a broken
  // player from hanging the test run.
  template <typename Pred>
  bool Await(Pred pred) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 10s, pred);
  }
};

class FakeOutput final : public SoundOutput {
 public:
  explicit FakeOutput(std::shared_ptr<Server> server) : server_(std::move(server)) {}
  bool Open(int rate, int channels) override {
    std::unique_lock lock(server_->mutex);
    Stall(lock, Server::Stage::kOpen);
    ++server_->opens;
    server_->formats.emplace_back(rate, channels);
    return true;
  }
  bool Write(const std::int16_t* samples, std::size_t count) override {
    std::unique_lock lock(server_->mutex);
    Stall(lock, Server::Stage::kWrite);
    if (std::exchange(server_->failNextWrite, false)) return false;
    server_->heard.insert(server_->heard.end(), samples, samples + count);
    return true;
  }
  bool Drain() override {
    std::unique_lock lock(server_->mutex);
    Stall(lock, Server::Stage::kDrain);
    return true;
  }
  void Close() override {
    std::lock_guard lock(server_->mutex);
    ++server_->closes;
    server_->changed.notify_all();
  }

 private:
  void Stall(std::unique_lock<std::mutex>& lock, Server::Stage stage) {
    if (server_->stallAt != stage) return;
    server_->stalled = true;
    server_->changed.notify_all();
    server_->changed.wait(lock, [&] { return server_->stallAt != stage; });
  }
  std::shared_ptr<Server> server_;
};

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillbury-sound-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::unique_ptr<SoundPlayer> MakePlayer(std::chrono::milliseconds idleClose = 1h) {
    return std::make_unique<SoundPlayer>(std::make_unique<FakeOutput>(server_), idleClose);
  }
  std::string Fixture(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Fixture(const std::string& name, const Pcm& pcm) {
    const std::string path = (dir_ / name).string();
    WritePcm(path, pcm);
    return path;
  }
  // Stereo at another rate, with a length that is no whole number of the player's slices.
  std::string StereoFixture() {
    Pcm pcm{44100, 2, {}};
    for (int i = 0; i < 2 * 1234; ++i)
      pcm.samples.push_back(static_cast<std::int16_t>(i * 37 - 20000));
    return Fixture("stereo.wav", pcm);
  }

  fs::path dir_;
  std::shared_ptr<Server> server_ = std::make_shared<Server>();
};

TEST_F(SoundPlayerTest, RefusesFilesItCannotPlayWithoutTouchingTheServer) {
  std::ifstream go1(kGo1, std::ios::binary);
  const std::string go1Bytes{std::istreambuf_iterator<char>(go1), {}};
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"missing", (dir_ / "nowhere.wav").string()},
      {"a folder", dir_.string()},
      {"empty", Fixture("empty.wav", std::string())},
      {"text", Fixture("text.wav", std::string(200, 'x'))},
      {"cut inside the header", Fixture("cut.wav", go1Bytes.substr(0, 30))},
      {"no samples", Fixture("silent.wav", Pcm{22050, 1, {}})},
      {"zero rate", Fixture("zero-rate.wav", Pcm{0, 1, std::vector<std::int16_t>(100)})},
      // Opening a pipe would wait for a writer for ever, and the walk with it.
      {"a named pipe",
       [this] {
         const std::string pipe = (dir_ / "pipe.wav").string();
         EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
         return pipe;
       }()},
      {"a device", "/dev/zero"},
  };
  auto player = MakePlayer();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(player->PlaySound(c.path), Playback::kNoClip);
    EXPECT_EQ(SoundPlayer::ClipSeconds(c.path), 0.0);
  }
  player.reset();
  EXPECT_EQ(server_->opens, 0);
  EXPECT_TRUE(server_->heard.empty());
}

TEST_F(SoundPlayerTest, PlaysEverySampleOfTheFileInItsFormat) {
  for (const std::string& path : {kGo1, StereoFixture()}) {
    SCOPED_TRACE(path);
    const Pcm pcm = ReadPcm(path);
    ASSERT_FALSE(pcm.samples.empty());
    server_ = std::make_shared<Server>();
    auto player = MakePlayer();
    EXPECT_EQ(player->PlaySound(path), Playback::kPlayed);
    player.reset();
    EXPECT_NEAR(SoundPlayer::ClipSeconds(path),
                static_cast<double>(pcm.samples.size() / pcm.channels) / pcm.rate, 1e-6);
    ASSERT_EQ(server_->formats.size(), 1u);
    EXPECT_EQ(server_->formats[0], std::make_pair(pcm.rate, pcm.channels));
    EXPECT_EQ(server_->heard, pcm.samples);
  }
}

TEST_F(SoundPlayerTest, StepSoundIsShorterThanAStep) {
  const double seconds = SoundPlayer::ClipSeconds(kGo1);
  EXPECT_GT(seconds, 0.0);
  EXPECT_LT(seconds, 0.4);
}

TEST_F(SoundPlayerTest, KeepsOneConnectionPerFormatAndReconnectsAfterAnError) {
  const std::string stereo = StereoFixture();
  auto player = MakePlayer();
  const struct {
    const char* what;
    std::string path;
    bool failWrite;
    Playback result;
    int opens;
    int closes;
  } steps[] = {
      {"first clip connects", kGo1, false, Playback::kPlayed, 1, 0},
      {"same format reuses it", kGo2, false, Playback::kPlayed, 1, 0},
      {"and again", kGo1, false, Playback::kPlayed, 1, 0},
      {"another format reconnects", stereo, false, Playback::kPlayed, 2, 1},
      {"back to the first format", kGo1, false, Playback::kPlayed, 3, 2},
      {"a failed write drops the connection", kGo1, true, Playback::kNoOutput, 3, 3},
      {"the next clip connects again", kGo1, false, Playback::kPlayed, 4, 3},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    {
      std::lock_guard lock(server_->mutex);
      server_->failNextWrite = step.failWrite;
    }
    EXPECT_EQ(player->PlaySound(step.path), step.result);
    std::lock_guard lock(server_->mutex);
    EXPECT_EQ(server_->opens, step.opens);
    EXPECT_EQ(server_->closes, step.closes);
  }
}

TEST_F(SoundPlayerTest, LetsGoOfTheServerWhenIdleAndConnectsAgainForTheNextClip) {
  auto player = MakePlayer(20ms);
  EXPECT_EQ(player->PlaySound(kGo1), Playback::kPlayed);
  EXPECT_TRUE(server_->Await([&] { return server_->closes == 1; }));
  EXPECT_EQ(player->PlaySound(kGo1), Playback::kPlayed);
  std::lock_guard lock(server_->mutex);
  EXPECT_EQ(server_->opens, 2);
}

class StalledServerTest : public SoundPlayerTest,
                          public ::testing::WithParamInterface<Server::Stage> {};

TEST_P(StalledServerTest, GameWaitsAtMostTheClipPlusGraceAndSkipsClipsWhileStuck) {
  server_->stallAt = GetParam();
  auto player = MakePlayer();
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(player->PlaySound(kGo1), Playback::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - started,
            std::chrono::duration<double>(SoundPlayer::ClipSeconds(kGo1)) + SoundPlayer::kGrace);
  EXPECT_TRUE(server_->Await([&] { return server_->stalled; }));

  EXPECT_EQ(player->PlaySound(kGo2), Playback::kSkipped);
  EXPECT_EQ(player->PlaySound(kGo1), Playback::kSkipped);

  // Once the stuck clip is done the next one plays; the skipped ones never do.
  server_->Release();
  const std::string stereo = StereoFixture();
  Playback next = Playback::kSkipped;
  for (int i = 0; i < 10000 && next == Playback::kSkipped; ++i) {
    std::this_thread::sleep_for(1ms);
    next = player->PlaySound(stereo);
  }
  EXPECT_EQ(next, Playback::kPlayed);
  player.reset();
  std::vector<std::int16_t> expected = ReadPcm(kGo1).samples;
  const std::vector<std::int16_t> second = ReadPcm(stereo).samples;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(server_->heard, expected);
  EXPECT_EQ(server_->opens, 2);
}

INSTANTIATE_TEST_SUITE_P(Stages, StalledServerTest,
                         ::testing::Values(Server::Stage::kOpen, Server::Stage::kWrite,
                                           Server::Stage::kDrain),
                         [](const auto& info) {
                           switch (info.param) {
                             case Server::Stage::kOpen:
                               return std::string("Connecting");
                             case Server::Stage::kWrite:
                               return std::string("Writing");
                             default:
                               return std::string("Draining");
                           }
                         });

TEST_F(SoundPlayerTest, ClosingTheGameDoesNotWaitForAServerThatNeverAnswers) {
  server_->stallAt = Server::Stage::kWrite;
  auto player = MakePlayer();
  EXPECT_EQ(player->PlaySound(kGo1), Playback::kTimedOut);
  player.reset();  // returns although the worker is still stuck
  server_->Release();
  // The worker left behind still winds up cleanly once the server answers.
  EXPECT_TRUE(server_->Await([&] { return server_->closes == 1; }));
}

TEST(SoundPlayerNoServerTest, ReturnsSilentlyWithoutASoundServer) {
  ::setenv("PULSE_SERVER", "unix:/nonexistent/quillbury-test/native", 1);
  EXPECT_FALSE(MakePulseOutput()->Open(22050, 1));
  SoundPlayer player;
  for (int i = 0; i < 3; ++i) EXPECT_NE(player.PlaySound(kGo1), Playback::kPlayed);
}

}  // namespace
}  // namespace quillbury::ui
