#include "VcdXmlWriter.h"

#include "app/Application.h"

#include <cstdio>
#include <fstream>

namespace disc {

namespace {

// Bytes written as references when they stand alone: the ampersand, the
// Latin-1 letters and signs of the list below, and the characters that would
// break or change a double-quoted attribute value.
bool EscapedByte(unsigned char byte)
{
    static constexpr unsigned char kEscaped[] = {
        0x26, 0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC,
        0xC4, 0xC5, 0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3,
        0xA5, 0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xBD, 0xBC, 0xA1,
        '"', '<', '>', '\t', '\n', '\r'};
    for (unsigned char escaped : kEscaped) {
        if (byte == escaped)
            return true;
    }
    return false;
}

// Length of the well-formed UTF-8 character of two to four bytes at text[i]
// and its code point; 0 when the bytes there form none.
std::size_t Utf8Character(const std::string& text, std::size_t i, unsigned& codePoint)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    unsigned char second = byte(i + 1);
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
        return 0;
    codePoint = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    return length;
}

std::string Reference(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "&#%03u;", value);
    return text;
}

// Element text: the markup characters as entities, tab, line feed and
// carriage return as references so they stay what they are, and the other
// control characters, which XML cannot hold at all, left out.
std::string EscapeXmlText(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\t':
        case '\n':
        case '\r': escaped += Reference(static_cast<unsigned char>(c)); break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20)
                escaped += c;
        }
    }
    return escaped;
}

const char* ClassName(int kind)
{
    static const char* const kClasses[] = {"vcd", "vcd", "vcd", "svcd", "hqvcd"};
    return kClasses[kind - 1];
}

const char* Version(int kind)
{
    static const char* const kVersions[] = {"1.0", "1.1", "2.0", "1.0", "1.0"};
    return kVersions[kind - 1];
}

}  // namespace

std::string EscapeXmlPath(const std::string& path)
{
    std::string escaped;
    for (std::size_t i = 0; i < path.size();) {
        unsigned codePoint = 0;
        std::size_t length = Utf8Character(path, i, codePoint);
        if (length > 0) {
            escaped += Reference(codePoint);
            i += length;
            continue;
        }
        unsigned char byte = static_cast<unsigned char>(path[i++]);
        if (EscapedByte(byte))
            escaped += Reference(byte);
        else
            escaped += static_cast<char>(byte);
    }
    return escaped;
}

void VcdXmlWriter::SetVolumeLabel(const std::string& label)
{
    std::size_t length = label.size();
    if (length > kMaxVolumeLabel) {
        length = kMaxVolumeLabel;
        while (length > 0 && (static_cast<unsigned char>(label[length]) & 0xC0) == 0x80)
            --length;
    }
    volumeLabel_ = label.substr(0, length);
}

std::string VcdXmlWriter::Document(const std::string& applicationName, const std::string& company) const
{
    if (kind_ < 1 || kind_ > 5)
        return "";
    const std::string count = std::to_string(items_.size());
    std::string text;
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("<?xml version=\"1.0\"?>");
    line("<!DOCTYPE videocd PUBLIC \"-//GNU//DTD VideoCD//EN\" \"http://www.gnu.org/software/vcdimager/videocd.dtd\">");
    line(std::string("<videocd xmlns=\"http://www.gnu.org/software/vcdimager/1.0/\" class=\"") + ClassName(kind_) +
         "\" version=\"" + Version(kind_) + "\">");
    line("  <info>");
    line("    <album-id/>");
    line("    <volume-count>" + count + "</volume-count>");
    line("    <volume-number>" + count + "</volume-number>");
    line("    <restriction>0</restriction>");
    line("  </info>");
    line("  <pvd>");
    line("    <volume-id>" + EscapeXmlText(volumeLabel_) + "</volume-id>");
    line("    <system-id>CD-RTOS CD-BRIDGE</system-id>");
    line("    <application-id>" + EscapeXmlText(applicationName) + "</application-id>");
    line("    <preparer-id/>");
    line("    <publisher-id>" + EscapeXmlText(company) + "</publisher-id>");
    line("  </pvd>");
    line("  <sequence-items>");
    for (std::size_t i = 0; i < items_.size(); ++i)
        line("    <sequence-item src=\"" + EscapeXmlPath(items_[i]) + "\" id=\"seq_" + std::to_string(i) + "_movie\"/>");
    line("  </sequence-items>");
    line("</videocd>");
    return text;
}

int VcdXmlWriter::WriteVcdXml(const std::string& path) const
{
    const app::ProductIdentity& product = app::Application().product;
    std::string document = Document(product.applicationName, product.company);
    if (document.empty() || path.empty())
        return -1;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(document.data(), static_cast<std::streamsize>(document.size()));
    file.close();
    return file ? 0 : -1;
}

}  // namespace disc
