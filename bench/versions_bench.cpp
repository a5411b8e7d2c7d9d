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
        benchmark::DoNotOptimize(
            ParseVersionsText(text.data(), text.size(), messages, addons, libraries));
        benchmark::DoNotOptimize(addons.GetCount());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// The costliest catalogues at the reader's limits, beside the real-sized one above: 4,096 tools
// for this host, each with as many flags as 1 MiB allows; 4,096 blank lines, each an entry; and
// 1 MiB of blank lines, beyond the limits.
std::string ListedToolsAtTheLimits() {
    std::string text;
    std::string flags;
    for (int i = 0; i < 53; ++i) {
        flags += " INT";
    }
    char line[64];
    for (int i = 0; i < kMaximumCatalogueEntries; ++i) {
        std::snprintf(line, sizeof line, "%sTool%04d 16.0.0.1 (AC160) 20/09/2013",
                      i > 0 ? "\n" : "", i);
        text += line + flags;
    }
    return text;
}

void ParseAtTheLimits(benchmark::State& state) {
    const std::string text = state.range(0) == 0   ? ListedToolsAtTheLimits()
                             : state.range(0) == 1 ? std::string(kMaximumCatalogueEntries - 1, '\n')
                                                   : std::string(std::size_t{1} << 20, '\n');
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop's idiom
        NX_List<NX_AddonUpdate_Message> messages;
        NX_List<NX_AddonUpdate_Addon> addons;
        NX_List<NX_AddonUpdate_Library> libraries;
        benchmark::DoNotOptimize(
            ParseVersionsText(text.data(), text.size(), messages, addons, libraries));
    }
    state.SetLabel(state.range(0) == 0   ? "4,096 listed tools in 1 MiB"
                   : state.range(0) == 1 ? "4,096 blank lines"
                                         : "1 MiB of blank lines (not read)");
}

}  // namespace

BENCHMARK(ParseCatalogue)->Arg(100)->Arg(1'000)->Arg(10'000)->Complexity(benchmark::oN);
BENCHMARK(ParseAtTheLimits)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
