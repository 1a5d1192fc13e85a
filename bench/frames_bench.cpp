// SPDX-License-Identifier: MIT
// The per-record work on the PC side: building a record frame, translating its name, checking a
// reply.
#include <benchmark/benchmark.h>

#include "link/frames.h"
#include "link/translation.h"

namespace {

using namespace nuvrel::link;

void BM_ArticleFrame(benchmark::State& state) {
  for (auto _ : state) {
    Bytes frame = BeginFrame(123456, 'r');
    std::string name = "mleko 1l       ";
    TranslateText(name, true);
    const std::string fields = "0001" + name +
                               "000000000123"
                               "121"
                               "000012502"
                               "000001500";
    frame.insert(frame.end(), fields.begin(), fields.end());
    AppendCheckPair(frame);
    benchmark::DoNotOptimize(frame);
  }
}
BENCHMARK(BM_ArticleFrame);

void BM_CheckAck(benchmark::State& state) {
  const Bytes ack = AckFrame(123456);
  std::array<std::uint8_t, kReplySize> reply{};
  std::copy(ack.begin(), ack.end(), reply.begin());
  for (auto _ : state) benchmark::DoNotOptimize(CheckAck(reply, 123456));
}
BENCHMARK(BM_CheckAck);

}  // namespace
