#include "engine/SourceFacts.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

engine::TrackEntry Track(std::int32_t kind, std::int32_t id, const char* language, const char* title)
{
    engine::TrackEntry track{};
    track.kind = kind;
    track.track_id = id;
    std::strncpy(track.language, language, sizeof track.language);
    std::memcpy(track.title, title, std::min(std::strlen(title), sizeof track.title));
    return track;
}

}  // namespace

TEST(SourceFacts, TrackLinesByKindUpToTheEndMarker)
{
    engine::SourceItem item;
    item.tracks[0] = Track(engine::kTrackAudio, 128, "eng", "");
    item.tracks[1] = Track(7, 5, "ger", "ignored kind");
    item.tracks[2] = Track(engine::kTrackAudio, 129, "fre", "Director");
    item.tracks[3] = Track(engine::kTrackSubtitle, 0, "und", "");
    item.tracks[5] = Track(engine::kTrackSubtitle, 9, "eng", "after the end");
    EXPECT_EQ(engine::TrackLines(item, engine::kTrackAudio),
              (std::vector<std::string>{"128   English   ", "129   French   Director"}));
    EXPECT_EQ(engine::TrackLines(item, engine::kTrackSubtitle), (std::vector<std::string>{"0   Undetermined   "}));
    EXPECT_TRUE(engine::HasTracks(item));

    // A title filling its whole field has no terminator; a two-letter code is unknown.
    engine::TrackEntry full = Track(engine::kTrackAudio, 1, "en", std::string(40, 't').c_str());
    EXPECT_EQ(engine::TrackLine(full), "1   Undetermined   " + std::string(32, 't'));
    EXPECT_EQ(engine::TrackLine(Track(engine::kTrackAudio, 2, "ine", "")), "2   Indo-European (Other)   ");
}
