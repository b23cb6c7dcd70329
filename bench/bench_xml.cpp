// Reading time of the XML model against file size: it must grow linearly, whatever the shape.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "persistence/GmXml.h"

namespace quillbury {
namespace {

std::string Repeat(const std::string& head, const std::string& block, const std::string& tail,
                   std::size_t bytes) {
  std::string text = head;
  text.reserve(bytes + block.size());
  while (text.size() + block.size() + tail.size() <= bytes) text += block;
  return text + tail;
}

// Blocks four levels deep under one root, indented as the writer does.
std::string NestedText(std::size_t bytes) {
  return Repeat("<Root>\r\n",
                "  <Group>\r\n    <Item>\r\n      <Entry>\r\n        <Value>12345</Value>\r\n"
                "      </Entry>\r\n    </Item>\r\n  </Group>\r\n",
                "</Root>\r\n", bytes);
}

// Start tags only, each inside the one before: the hostile file, nested as deep as it is long.
std::string DeepText(std::size_t bytes) { return Repeat("", "<Element>", "\r\n", bytes); }

// The shape of a save file with a very long player list.
std::string PlayersText(std::size_t bytes) {
  return Repeat("<QuillburyGame>\r\n  <Players>\r\n",
                "    <Player>\r\n      <ID>0</ID>\r\n      <Name>Mr. Gambler</Name>\r\n"
                "      <Money>5000000</Money>\r\n      <Salary>300000</Salary>\r\n"
                "      <Jail>0</Jail>\r\n      <Loan>0</Loan>\r\n"
                "      <CurrentPosition>1</CurrentPosition>\r\n      <CPU>0</CPU>\r\n"
                "      <Playing>1</Playing>\r\n    </Player>\r\n",
                "  </Players>\r\n</QuillburyGame>\r\n", bytes);
}

// Reads the text into a fresh document and destroys it again: the whole cost of a load.
void Read(benchmark::State& state, std::string (*make)(std::size_t)) {
  const std::string text = make(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    TGmXML doc;
    doc.ReadFromText(text);
    benchmark::DoNotOptimize(doc.TopLevel.First());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}

constexpr std::int64_t kMegabyte = 1 << 20;

BENCHMARK_CAPTURE(Read, Nested, &NestedText)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(Read, Players, &PlayersText)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(Read, Deep, &DeepText)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace quillbury

BENCHMARK_MAIN();
