// Build tool: scrambles the readable profile data into the file the
// program reads (and back, since scrambling twice restores the bytes).
//   profile_scrambler <input> <output>
#include "profiles/ProfileScrambler.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: profile_scrambler <input> <output>\n", stderr);
        return 2;
    }
    profiles::UnscrambleStatus status = profiles::UnscrambleFile(argv[1], profiles::kProfileKey, argv[2]);
    if (status != profiles::UnscrambleStatus::Done) {
        std::fputs(profiles::UnscrambleMessage(status), stderr);
        return 1;
    }
    return 0;
}
