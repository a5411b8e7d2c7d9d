// Reading update catalogues of growing size: the time should grow with the number of entries,
// not with its square.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "host/host_control.h"
#include "update/versions_file.h"

namespace {

// One add-on with two description lines and its library per entry, and a message at the end.
std::string MakeCatalogue(int entries) {
    std::string text = "* generated catalogue\r\n";
    char line[160];
    for (int i = 0; i < entries; ++i) {
        std::snprintf(line, sizeof line,
                      "Tool%05d 16.0.%d.%d (AC160) %02d/%02d/2012 ITA INT FRA\r\n"
                      "# Faster drawing of entry %d.\r\n# Fewer clicks.\r\n",
                      i, i % 10, 1600 + i % 100, 1 + i % 28, 1 + i % 12, i);
        text += line;
    }
    for (int i = 0; i < entries; ++i) {
        std::snprintf(line, sizeof line, "Lib%05d %02d/%02d/2012\r\n", i, 1 + i % 28, 1 + i % 12);
        text += line;
    }
    text += "MESSAGE 01/01/2012 31/12/2012\r\n# New tutorials.\r\n# http://example.com/\r\n";
    return text;
}

void ParseCatalogue(benchmark::State& state) {
    const std::string text = MakeCatalogue(static_cast<int>(state.range(0)));
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop's idiom
        NX_List<NX_AddonUpdate_Message> messages;
        NX_List<NX_AddonUpdate_Addon> addons;
        NX_List<NX_AddonUpdate_Library> libraries;
        ParseVersionsText(text.data(), text.size(), messages, addons, libraries);
        benchmark::DoNotOptimize(addons.GetCount());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(ParseCatalogue)->Arg(100)->Arg(1'000)->Arg(10'000)->Complexity(benchmark::oN);

int main(int argc, char** argv) {
    // Timed on a memory manager that grows blocks in place while they have room, as the
    // system heap does; the emulated host's default moves every block at every resize to catch
    // stale pointers, which makes any list grown one element at a time quadratic.
    host::SetHandlesGrowInPlace(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
