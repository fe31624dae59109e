// Runs a fuzz target without libFuzzer: every file of the seed folder, then a fixed
// series of pseudo-random mutations of them, so the ordinary sanitizer build keeps
// exercising each parser.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    std::vector<std::vector<uint8_t>> seeds;
    if (argc > 1 && std::filesystem::is_directory(argv[1])) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    seeds.emplace_back();
    size_t runs = 0;
    for (const auto& s : seeds) {
        LLVMFuzzerTestOneInput(s.data(), s.size());
        ++runs;
    }
    std::mt19937 rng(12345);
    for (int i = 0; i < 2000; ++i) {
        std::vector<uint8_t> buf = seeds[rng() % seeds.size()];
        int edits = 1 + rng() % 8;
        for (int e = 0; e < edits; ++e) {
            switch (rng() % 4) {
            case 0:
                if (!buf.empty())
                    buf[rng() % buf.size()] = static_cast<uint8_t>(rng());
                break;
            case 1:
                buf.insert(buf.begin() + (buf.empty() ? 0 : rng() % buf.size()), static_cast<uint8_t>(rng()));
                break;
            case 2:
                if (!buf.empty())
                    buf.resize(rng() % buf.size());
                break;
            default:
                if (!buf.empty())
                    buf[rng() % buf.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
                break;
            }
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
        ++runs;
    }
    std::printf("replayed %zu inputs\n", runs);
    return 0;
}
