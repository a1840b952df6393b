#pragma once
// The description of a VCD or SVCD in vcdimager's VideoCD XML format.
#include <string>
#include <vector>

namespace disc {

// The path for a src attribute. Valid UTF-8 characters beyond ASCII become
// numeric character references ("&#233;"): vcdxbuild reads the document's
// raw bytes as Latin-1 and would not find such a file otherwise. Of the bytes
// that are not part of a UTF-8 character, the ampersand and 42 Latin-1
// letters and signs become "&#" + three decimal digits + ";"; the others
// pass unchanged. The double quote and the angle brackets, which would end
// or break the attribute, and tab, line feed and carriage return, which an
// attribute would turn into blanks, are written as references as well.
std::string EscapeXmlPath(const std::string& path);

class VcdXmlWriter {
public:
    // Kinds: 1 VCD 1.0, 2 VCD 1.1, 3 VCD 2.0, 4 SVCD 1.0, 5 HQVCD 1.0.
    static constexpr int kVcd20 = 3;
    static constexpr int kSvcd10 = 4;
    static constexpr std::size_t kMaxVolumeLabel = 127;

    void AddSequenceItem(const std::string& path) { items_.push_back(path); }
    void SetKind(int kind) { kind_ = kind; }
    // Labels longer than kMaxVolumeLabel bytes are cut there (never inside a
    // UTF-8 character).
    void SetVolumeLabel(const std::string& label);

    // The whole document, lines ending in CR LF; "" for a kind outside 1-5.
    // The label and the names are escaped as element text.
    std::string Document(const std::string& applicationName, const std::string& company) const;

    // Writes Document() with the product's own application and company
    // names to path. 0 when it was written whole, -1 otherwise.
    int WriteVcdXml(const std::string& path) const;

private:
    int kind_ = kVcd20;
    std::vector<std::string> items_;
    std::string volumeLabel_ = "no_volume";
};

}  // namespace disc
