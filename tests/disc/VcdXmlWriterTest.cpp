// The VideoCD description is checked the way vcdxbuild reads it: as XML,
// by a parser, not by its bytes.
#include "app/Application.h"
#include "disc/VcdXmlWriter.h"
#include "support/TestFolder.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct ParsedDescription {
    std::string error;  // "" when the document is well-formed
    std::map<std::string, std::string> rootAttributes;
    std::map<std::string, std::string> texts;  // element name -> its text
    std::vector<std::string> itemPaths;
    std::vector<std::string> itemIds;
};

ParsedDescription Parse(const std::string& document)
{
    ParsedDescription parsed;
    QXmlStreamReader reader(QByteArray::fromStdString(document));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const std::string name = reader.name().toString().toStdString();
        auto attribute = [&](const char* key) { return reader.attributes().value(key).toString().toStdString(); };
        if (name == "videocd") {
            parsed.rootAttributes = {{"class", attribute("class")}, {"version", attribute("version")}};
        } else if (name == "sequence-item") {
            parsed.itemPaths.push_back(attribute("src"));
            parsed.itemIds.push_back(attribute("id"));
        } else if (name != "info" && name != "pvd" && name != "sequence-items") {
            parsed.texts[name] = reader.readElementText().toStdString();
        }
    }
    if (reader.hasError())
        parsed.error = reader.errorString().toStdString();
    return parsed;
}

}  // namespace

TEST(VcdXmlWriter, EveryKindGivesAWellFormedDescriptionOfItsClass)
{
    const struct {
        int kind;
        const char* className;  // nullptr: refused
        const char* version;
    } kinds[] = {
        {0, nullptr, nullptr}, {1, "vcd", "1.0"},   {2, "vcd", "1.1"},         {3, "vcd", "2.0"},
        {4, "svcd", "1.0"},    {5, "hqvcd", "1.0"}, {6, nullptr, nullptr},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        disc::VcdXmlWriter writer;
        writer.SetKind(k.kind);
        writer.AddSequenceItem("/w/001.mpg");
        const std::string document = writer.Document("App", "Company");
        if (k.className == nullptr) {
            EXPECT_EQ(document, "");
            continue;
        }
        ParsedDescription parsed = Parse(document);
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.rootAttributes["class"], k.className);
        EXPECT_EQ(parsed.rootAttributes["version"], k.version);
        EXPECT_EQ(parsed.texts["application-id"], "App");
        EXPECT_EQ(parsed.texts["publisher-id"], "Company");
    }
    EXPECT_EQ(Parse(disc::VcdXmlWriter().Document("A", "C")).rootAttributes["class"], "vcd") << "VCD 2.0 by default";
}

TEST(VcdXmlWriter, ItemsKeepTheirOrderAndPathsComeBackUnchanged)
{
    const std::vector<std::string> paths = {
        "/work/A&B/001.mpg", "/tmp/My Videos/002.mpg", "/home/ü/é/003.mpg", "/日本/😀.mpg",
        "/say \"hi\" <now>/005.mpg", "/tab\tline\ncr\r/006.mpg", "/a'b;c/007.mpg",
    };
    disc::VcdXmlWriter writer;
    for (const std::string& path : paths)
        writer.AddSequenceItem(path);
    ParsedDescription parsed = Parse(writer.Document("A", "C"));
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.itemPaths, paths);
    for (std::size_t i = 0; i < parsed.itemIds.size(); ++i)
        EXPECT_EQ(parsed.itemIds[i], "seq_" + std::to_string(i) + "_movie");
    EXPECT_EQ(parsed.texts["volume-count"], std::to_string(paths.size()));
    EXPECT_EQ(parsed.texts["volume-number"], std::to_string(paths.size()));

    ParsedDescription empty = Parse(disc::VcdXmlWriter().Document("A", "C"));
    EXPECT_EQ(empty.error, "");
    EXPECT_TRUE(empty.itemPaths.empty());
    EXPECT_EQ(empty.texts["volume-count"], "0");
}

TEST(VcdXmlWriter, LabelsAreEscapedAndCutOutsideCharacters)
{
    const struct {
        std::string label;
        std::string readBack;
    } cases[] = {
        {"a&b<c>\"d", "a&b<c>\"d"},
        {"tab\there\x01\x1f", "tab\there"},
        {"Urlaub 2024 ü", "Urlaub 2024 ü"},
        {std::string(126, 'L') + "ééé", std::string(126, 'L')},
        {std::string(200, 'M'), std::string(127, 'M')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        disc::VcdXmlWriter writer;
        writer.SetVolumeLabel(c.label);
        ParsedDescription parsed = Parse(writer.Document("A&B <C>", "\"Co\""));
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.texts["volume-id"], c.readBack);
        EXPECT_EQ(parsed.texts["application-id"], "A&B <C>");
        EXPECT_EQ(parsed.texts["publisher-id"], "\"Co\"");
    }
    EXPECT_EQ(Parse(disc::VcdXmlWriter().Document("A", "C")).texts["volume-id"], "no_volume");
}

TEST(VcdXmlWriter, WritesTheFileOrSaysItCouldNot)
{
    testing_support::TestFolder folder;
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

// vcdxbuild reads the raw bytes as Latin-1, so characters beyond ASCII go in
// as references; bytes that form no UTF-8 character are Latin-1 already.
TEST(EscapeXmlPath, NonAsciiBecomesReferencesThatVcdxbuildReadsAsLatin1)
{
    const struct {
        const char* path;
        const char* escaped;
    } cases[] = {
        {"/home/ü/é", "/home/&#252;/&#233;"},
        {"/😀", "/&#128512;"},
        {"/a\xE9" "b", "/a&#233;b"},
        {"/a\xA1\xBC", "/a&#161;&#188;"},
        {"\x9F\xE3", "\x9F\xE3"},
        {"/\xC3", "/\xC3"},
        {"/\xE0\x80\x80", "/&#224;\x80\x80"},
        {"/\xED\xA0\x80", "/&#237;\xA0\x80"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(disc::EscapeXmlPath(c.path), c.escaped) << c.path;
}
