// Prints what the draw gives, for comparing the builds of two platforms: the position that
// floor(r x 333) mod n picks for every value the random source can give and the pool sizes
// the trials see, and whole contests from fixed seeds. The Linux and the 32-bit Windows
// builds must print the same lines.

#include "clockrandom.h"
#include "contest.h"
#include "contestparts.h"
#include "fakecheckbox.h"
#include "fakelistbox.h"

#include <array>
#include <cstdint>
#include <cstdio>

int main()
{
    // Every float the source gives is k x 2^-24: all 2^24 of them, against every pool size.
    std::uint64_t digest = 14695981039346656037ULL;
    for (std::uint32_t k = 0; k < (1U << 24U); ++k) {
        const float r = ClockRandom::toUnitFloat(k << 8U);
        for (const std::int16_t poolCount :
             {std::int16_t{1000}, std::int16_t{668}, std::int16_t{334}, std::int16_t{333}, std::int16_t{2}}) {
            digest = (digest ^ static_cast<std::uint64_t>(Contest::drawPosition(r, poolCount))) * 1099511628211ULL;
        }
    }
    std::printf("positions %016llx\n", static_cast<unsigned long long>(digest));

    for (const std::uint64_t seed : {1ULL, 2ULL, 20261208ULL}) {
        ContestParts<FakeListBox, FakeCheckBox> parts;
        std::int16_t trial = 0;
        ClockRandom random;
        random.seedWith(seed);
        Contest contest(parts.stage(), trial, random);
        contest.ResetPool();
        std::uint64_t contestDigest = 14695981039346656037ULL;
        for (trial = 0; trial < ContestRules::TrialCount; ++trial) {
            contest.RunTrial();
        }
        for (const FakeListBox &list : parts.lists) {
            for (const std::string &text : list.items) {
                for (const char c : text + ",") {
                    contestDigest = (contestDigest ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
                }
            }
        }
        std::printf("seed %llu: winner %s, lists %016llx\n", static_cast<unsigned long long>(seed), parts.lists[3].items.at(0).c_str(),
                    static_cast<unsigned long long>(contestDigest));
    }
    return 0;
}
