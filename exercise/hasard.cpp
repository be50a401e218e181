#include "hasard.h"

#include <chrono>

void HasardSysteme::reamorcer()
{
    // Nanoseconds, so that two starts within the same second draw different packages.
    const auto instant = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(instant).count());
    std::seed_seq graine { static_cast<std::uint32_t>(ns), static_cast<std::uint32_t>(ns >> 32) };
    generateur_.seed(graine);
}

double HasardSysteme::tirer()
{
    // The top 53 bits make a double in [0, 1) exactly; generate_canonical may round up to 1.0.
    return static_cast<double>(generateur_() >> 11) * 0x1.0p-53;
}
