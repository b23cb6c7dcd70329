#pragma once

#include <cstdint>
#include <random>

namespace quillbury {

// Source of every random draw of the game, so tests can script them and a seed can make a
// game reproducible.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform integer in 0..n-1 (n >= 1).
  virtual std::int32_t Random(std::int32_t n) = 0;
};

// One generator for the whole program, seeded once (from the system's entropy source unless a
// seed is given). Never re-seeded per roll: two rolls in the same millisecond differ.
class SeededRandom final : public RandomSource {
 public:
  SeededRandom();
  explicit SeededRandom(std::uint64_t seed);
  std::int32_t Random(std::int32_t n) override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace quillbury
