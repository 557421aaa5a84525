// Listing the template folder, as the template box does on focus, drop-down and folder change: 20
// small templates, and the same folder with one more .tpl of 300 MB. The small folder is the
// yardstick; the large file should cost about what one more small template costs, since only
// the first line of each file is read.

#include "support/TempDir.h"
#include "template/TemplateFolder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

constexpr long long kLargeBytes = 300LL * 1024 * 1024;

// A folder of 20 templates and, when asked, one large file whose first line is "[ROWINFO]".
class TemplateFolderFixture {
public:
    explicit TemplateFolderFixture(bool withLarge) {
        for (int i = 0; i < 20; ++i) {
            m_dir.write("template/t" + std::to_string(i) + ".tpl",
                        "[ROWINFO]\r\nNAME=a\t\r\nTYPE=1,\r\n");
        }
        if (withLarge) {
            writeLarge(m_dir.file("template/large.tpl"));
        }
    }
    TemplateFolder folder() const { return TemplateFolder(m_dir.file("template"), m_dir.path()); }

private:
    static void writeLarge(const std::string& path) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const std::string block = "[ROWINFO]\r\n" + std::string(1 << 20, 'x');
        for (long long written = 0; written < kLargeBytes; written += block.size()) {
            std::fwrite(block.data(), 1, block.size(), f);
        }
        std::fclose(f);
    }

    TempDir m_dir;
};

void listTemplates(benchmark::State& state, bool withLarge) {
    const TemplateFolderFixture fixture(withLarge);
    const TemplateFolder folder = fixture.folder();
    for (auto _ : state) {
        benchmark::DoNotOptimize(folder.listTemplates());
    }
}

void BM_ListSmallTemplates(benchmark::State& state) {
    listTemplates(state, false);
}
void BM_ListWithA300MbTemplate(benchmark::State& state) {
    listTemplates(state, true);
}

BENCHMARK(BM_ListSmallTemplates)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListWithA300MbTemplate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
