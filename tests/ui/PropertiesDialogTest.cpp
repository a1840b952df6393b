// What the properties window shows of facts the probe could not find out,
// and that its groups can be told apart.
#include "WidgetTest.h"

#include "engine/SourceItem.h"
#include "lang/IniTextFile.h"
#include "ui/PropertiesDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSet>

using widget_test::Find;

namespace {

class Properties : public widget_test::WidgetTest {
protected:
    std::string Shown(const engine::SourceItem& item, const char* field)
    {
        PropertiesDialog dialog(item, dialogs_);
        return Find<QLineEdit>(&dialog, field)->text().toStdString();
    }
};

engine::SourceItem FullyProbed()
{
    engine::SourceItem item = widget_test::Clip("/v/clip.avi");
    item.videoCodec = "mpeg4";
    item.videoBitrate = 800;
    item.frameRate = 25;
    item.audioCodec = "mp3";
    item.audioBitrate = 128;
    item.sampleRate = 44100;
    item.channels = 2;
    return item;
}

engine::SourceItem WithTracks()
{
    engine::SourceItem item = FullyProbed();
    item.tracks[0] = {engine::kTrackAudio, 1, "eng", ""};
    item.tracks[1] = {engine::kTrackSubtitle, 2, "ger", ""};
    item.audioTrack = 0;
    return item;
}

}  // namespace

TEST_F(Properties, AFactLeftAtZeroReadsUnknown)
{
    const std::string unknown = lang::Text("PropertiesDialog", "Unknown Value");
    ASSERT_FALSE(unknown.empty());
    const struct {
        const char* field;
        const char* known;
        void (*forget)(engine::SourceItem&);
    } facts[] = {
        {"videoBitrateValue", "800 kbps", [](engine::SourceItem& item) { item.videoBitrate = 0; }},
        {"frameSizeValue", "160x120", [](engine::SourceItem& item) { item.height = 0; }},
        {"frameRateValue", "25.000", [](engine::SourceItem& item) { item.frameRate = 0; }},
        {"audioBitrateValue", "128 kbps", [](engine::SourceItem& item) { item.audioBitrate = 0; }},
        {"sampleRateValue", "44100", [](engine::SourceItem& item) { item.sampleRate = 0; }},
        {"channelsValue", "2", [](engine::SourceItem& item) { item.channels = 0; }},
    };
    for (const auto& fact : facts) {
        SCOPED_TRACE(fact.field);
        EXPECT_EQ(Shown(FullyProbed(), fact.field), fact.known);
        engine::SourceItem item = WithTracks();
        fact.forget(item);
        EXPECT_EQ(Shown(item, fact.field), unknown);
    }

    engine::SourceItem scripted = FullyProbed();
    scripted.decodeViaDirectShow = 1;
    scripted.videoBitrate = 0;
    EXPECT_EQ(Shown(scripted, "videoBitrateValue"), "UNKNOW") << "a fact the engine hides keeps its marker";
    EXPECT_EQ(Shown(scripted, "sampleRateValue"), "44100");
}

TEST_F(Properties, EveryGroupHasATitleOfItsOwnInEachLanguage)
{
    for (const char* language : {"English", "German"}) {
        SCOPED_TRACE(language);
        UseLanguage(language);
        PropertiesDialog dialog(WithTracks(), dialogs_);
        QSet<QString> titles;
        const QList<QGroupBox*> groups = dialog.findChildren<QGroupBox*>();
        for (const QGroupBox* group : groups) {
            EXPECT_FALSE(group->title().isEmpty());
            titles.insert(group->title());
        }
        EXPECT_EQ(groups.size(), 5);
        EXPECT_EQ(titles.size(), groups.size()) << "no two groups share a title";
        EXPECT_EQ(Find<QLineEdit>(&dialog, "audioCodecValue")->parentWidget()->property("title").toString(),
                  QString::fromStdString(lang::Text("PropertiesDialog", "Audio Stream")));
        EXPECT_EQ(Find<QComboBox>(&dialog, "audioTrackList")->parentWidget()->property("title").toString(),
                  QString::fromStdString(lang::Text("PropertiesDialog", "Audio Tracks")));
    }
}
