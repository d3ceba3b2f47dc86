#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: an application with settings, data and temporary folders of
// its own (nothing the user owns is read or written), a check that the plan holds only finite
// numbers, and a small generator for choices drawn from the input.
namespace plantrek {
class Site;
}

namespace plantrek::fuzz {

// Once, from LLVMFuzzerInitialize, which this library defines for every target.
void StartApplication(int* argc, char*** argv);

// A folder of this run's own, removed at exit.
QString ScratchFolder();

// Stops the run (a crash libFuzzer reports) when a number stored in the site, or in a room's
// closing walls, is not finite.
void RequireFiniteSite(const Site& site);

// Stops the run with the reason when the condition fails.
void Require(bool condition, const char* what);

// Deterministic choices seeded by input bytes.
class Choices {
public:
    explicit Choices(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // 1 to limit.
    std::size_t Size(std::size_t limit) { return 1 + Next() % limit; }

private:
    std::uint32_t state_;
};

}  // namespace plantrek::fuzz
