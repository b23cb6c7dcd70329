#include "core/Random.h"

namespace quillbury {
namespace {

std::uint64_t EntropySeed() {
  std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

}  // namespace

SeededRandom::SeededRandom() : engine_(EntropySeed()) {}

SeededRandom::SeededRandom(std::uint64_t seed) : engine_(seed) {}

std::int32_t SeededRandom::Random(std::int32_t n) {
  if (n <= 1) return 0;
  // Multiply-shift maps 32 random bits onto 0..n-1; the bias is far below anything a game sees.
  const std::uint64_t bits = engine_() >> 32;
  return static_cast<std::int32_t>((bits * static_cast<std::uint64_t>(n)) >> 32);
}

}  // namespace quillbury
