#include "app/Application.h"
#include "disc/VcdXmlWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using testing_support::TestFolder;

TEST(VcdXmlWriter, TheSvcdDocumentByteForByte)
{
    disc::VcdXmlWriter writer;
    writer.SetKind(disc::VcdXmlWriter::kSvcd10);
    writer.SetVolumeLabel("Holiday & Co");
    writer.AddSequenceItem("/work/A&B/001.mpg");
    writer.AddSequenceItem("/work/A&B/002.mpg");
    writer.AddSequenceItem("/work/A&B/003.mpg");
    EXPECT_EQ(writer.Document("Diziv Video Converter", "Diziv Software"),
              "<?xml version=\"1.0\"?>\r\n"
              "<!DOCTYPE videocd PUBLIC \"-//GNU//DTD VideoCD//EN\" \"http://www.gnu.org/software/vcdimager/videocd.dtd\">\r\n"
              "<videocd xmlns=\"http://www.gnu.org/software/vcdimager/1.0/\" class=\"svcd\" version=\"1.0\">\r\n"
              "  <info>\r\n"
              "    <album-id/>\r\n"
              "    <volume-count>3</volume-count>\r\n"
              "    <volume-number>3</volume-number>\r\n"
              "    <restriction>0</restriction>\r\n"
              "  </info>\r\n"
              "  <pvd>\r\n"
              "    <volume-id>Holiday & Co</volume-id>\r\n"
              "    <system-id>CD-RTOS CD-BRIDGE</system-id>\r\n"
              "    <application-id>Diziv Video Converter</application-id>\r\n"
              "    <preparer-id/>\r\n"
              "    <publisher-id>Diziv Software</publisher-id>\r\n"
              "  </pvd>\r\n"
              "  <sequence-items>\r\n"
              "    <sequence-item src=\"/work/A&#038;B/001.mpg\" id=\"seq_0_movie\"/>\r\n"
              "    <sequence-item src=\"/work/A&#038;B/002.mpg\" id=\"seq_1_movie\"/>\r\n"
              "    <sequence-item src=\"/work/A&#038;B/003.mpg\" id=\"seq_2_movie\"/>\r\n"
              "  </sequence-items>\r\n"
              "</videocd>\r\n");
}

TEST(VcdXmlWriter, KindsLabelsAndAnEmptyDisc)
{
    const struct {
        int kind;
        const char* root;  // nullptr: refused
    } kinds[] = {
        {0, nullptr},
        {1, "class=\"vcd\" version=\"1.0\">"},
        {2, "class=\"vcd\" version=\"1.1\">"},
        {5, "class=\"hqvcd\" version=\"1.0\">"},
        {6, nullptr},
    };
    for (const auto& k : kinds) {
        disc::VcdXmlWriter writer;
        writer.SetKind(k.kind);
        std::string document = writer.Document("A", "C");
        if (k.root == nullptr)
            EXPECT_EQ(document, "") << k.kind;
        else
            EXPECT_NE(document.find(std::string(k.root) + "\r\n"), std::string::npos) << k.kind;
    }

    disc::VcdXmlWriter empty;
    std::string document = empty.Document("A", "C");
    EXPECT_NE(document.find("class=\"vcd\" version=\"2.0\""), std::string::npos) << "kind 3 by default";
    EXPECT_NE(document.find("<volume-count>0</volume-count>\r\n    <volume-number>0</volume-number>"), std::string::npos);
    EXPECT_NE(document.find("<volume-id>no_volume</volume-id>"), std::string::npos);
    EXPECT_NE(document.find("  <sequence-items>\r\n  </sequence-items>\r\n</videocd>\r\n"), std::string::npos);

    disc::VcdXmlWriter labelled;
    labelled.SetVolumeLabel(std::string(126, 'L') + "ééé");
    EXPECT_NE(labelled.Document("A", "C").find("<volume-id>" + std::string(126, 'L') + "</volume-id>"), std::string::npos)
        << "cut to 127 bytes, but not inside the two bytes of é";
    labelled.SetVolumeLabel(std::string(200, 'M'));
    EXPECT_NE(labelled.Document("A", "C").find("<volume-id>" + std::string(127, 'M') + "</"), std::string::npos);
}

TEST(VcdXmlWriter, WritesTheFileOrSaysItCouldNot)
{
    TestFolder folder;
    app::Application().product.applicationName = "App Name";
    app::Application().product.company = "Company";
    disc::VcdXmlWriter writer;
    writer.AddSequenceItem("/w/001.mpg");
    folder.Write("vcd.xml", std::string(5000, 'o'));
    EXPECT_EQ(writer.WriteVcdXml(folder.Path() + "vcd.xml"), 0);
    EXPECT_EQ(folder.Read("vcd.xml"), writer.Document("App Name", "Company")) << "an older, longer file is replaced";
    EXPECT_EQ(writer.WriteVcdXml(""), -1);
    EXPECT_EQ(writer.WriteVcdXml(folder.Path() + "missing/vcd.xml"), -1);
    writer.SetKind(9);
    EXPECT_EQ(writer.WriteVcdXml(folder.Path() + "bad.xml"), -1);
}

TEST(EscapeXmlPath, TheFortyThreeBytesWhenTheyStandAlone)
{
    const unsigned char escaped[] = {0x26, 0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC,
                                     0xC4, 0xC5, 0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3,
                                     0xA5, 0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xBD, 0xBC, 0xA1};
    static_assert(sizeof escaped == 43);
    int escapedCount = 0;
    for (int value = 0x80; value <= 0xFF; ++value) {
        const std::string path = std::string("/a") + static_cast<char>(value) + "b";
        char reference[8];
        std::snprintf(reference, sizeof reference, "&#%03d;", value);
        bool listed = std::find(std::begin(escaped), std::end(escaped), value) != std::end(escaped);
        EXPECT_EQ(disc::EscapeXmlPath(path), listed ? "/a" + std::string(reference) + "b" : path) << value;
        escapedCount += listed;
    }
    EXPECT_EQ(escapedCount, 42) << "all but the ampersand lie above 0x7F";
    EXPECT_EQ(disc::EscapeXmlPath("/a&b"), "/a&#038;b");
    EXPECT_EQ(disc::EscapeXmlPath("\xE9"), "&#233;");
    EXPECT_EQ(disc::EscapeXmlPath("\x9F\xE3"), "\x9F\xE3");
    EXPECT_EQ(disc::EscapeXmlPath(""), "");
}

TEST(EscapeXmlPath, Utf8CharactersAndAttributeBreakersBecomeReferences)
{
    const struct {
        const char* path;
        const char* escaped;
    } cases[] = {
        {"/tmp/My Videos/001.mpg", "/tmp/My Videos/001.mpg"},
        {"/home/ü/é", "/home/&#252;/&#233;"},
        {"/日本", "/&#26085;&#26412;"},
        {"/😀", "/&#128512;"},
        {"/say \"hi\" <now>", "/say &#034;hi&#034; &#060;now&#062;"},
        {"/tab\tline\ncr\r", "/tab&#009;line&#010;cr&#013;"},
        {"/\xC3", "/\xC3"},
        {"/\xE0\x80\x80", "/&#224;\x80\x80"},
        {"/\xED\xA0\x80", "/&#237;\xA0\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(disc::EscapeXmlPath(c.path), c.escaped) << c.path;
}
