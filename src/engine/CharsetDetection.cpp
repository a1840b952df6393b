#include "CharsetDetection.h"

#include "SubtitleCharsets.h"

#include <iconv.h>
#include <strings.h>
#include <uchardet/uchardet.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

namespace engine {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr char kUtf8CodePage[] = "UTF-8";
constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

struct DetectedName {
    const char* detected;  // as uchardet names it
    const char* codePage;  // of the list row that reads it
};

// uchardet's names for the charsets a list row reads. A name stands for a
// row only where the two agree on the letters of the language: ISO-8859-7
// and CP1253 differ in Ά alone, ISO-8859-1 is part of CP1252, and so on.
// uchardet takes short CP1251 texts for Mac Cyrillic at times; the two share
// the small letters, so Mac Cyrillic reads as the Russian row too.
constexpr DetectedName kDetectedNames[] = {
    {"WINDOWS-1252", "CP1252"}, {"ISO-8859-1", "CP1252"},   {"ISO-8859-15", "CP1252"},  {"WINDOWS-1256", "CP1256"},
    {"WINDOWS-1257", "CP1257"}, {"ISO-8859-13", "CP1257"},  {"WINDOWS-1250", "CP1250"}, {"WINDOWS-1253", "CP1253"},
    {"ISO-8859-7", "CP1253"},   {"WINDOWS-1255", "CP1255"}, {"ISO-8859-8", "CP1255"},   {"SHIFT_JIS", "CP932"},
    {"EUC-KR", "CP949"},        {"UHC", "CP949"},           {"WINDOWS-1251", "CP1251"}, {"MAC-CYRILLIC", "CP1251"},
    {"GB18030", "CP936"},       {"GBK", "CP936"},           {"GB2312", "CP936"},        {"TIS-620", "CP874"},
    {"ISO-8859-11", "CP874"},   {"WINDOWS-874", "CP874"},   {"BIG5", "CP950"},          {"WINDOWS-1254", "CP1254"},
    {"ISO-8859-9", "CP1254"},
};

struct Decoded {
    std::string text;
    std::size_t undecodable = 0;  // bytes replaced by U+FFFD
};

// text converted by iconv into UTF-8, each byte that does not decode
// replaced by U+FFFD; a character cut off at the end is left out. nullopt
// for a code page iconv does not know.
std::optional<Decoded> ToUtf8(std::string_view text, const char* codePage)
{
    const iconv_t converter = iconv_open(kUtf8CodePage, codePage);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    Decoded decoded;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        decoded.text.append(buffer, static_cast<std::size_t>(out - buffer));
        if (converted != static_cast<std::size_t>(-1) || errno == EINVAL)
            break;
        if (errno == E2BIG)
            continue;
        decoded.text.append(kReplacementCharacter);
        ++decoded.undecodable;
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return decoded;
}

// Whether text reads in codePage but for a stray byte: a damaged or rare
// character may fail, one in a hundred of the bytes beyond ASCII.
bool ReadsIn(std::string_view text, const char* codePage)
{
    const std::optional<Decoded> decoded = ToUtf8(text, codePage);
    const auto beyondAscii = std::count_if(text.begin(), text.end(), [](char c) { return c & 0x80; });
    return decoded && decoded->undecodable * 100 <= static_cast<std::size_t>(beyondAscii);
}

std::optional<int> RowOfCodePage(std::string_view codePage)
{
    const auto charsets = SubtitleCharsets();
    const auto found = std::find_if(charsets.begin(), charsets.end(),
                                    [codePage](const SubtitleCharset& row) { return row.codePage == codePage; });
    if (found == charsets.end())
        return std::nullopt;
    return static_cast<int>(found - charsets.begin());
}

std::string UchardetAnswer(std::string_view text)
{
    const uchardet_t detector = uchardet_new();
    std::string answer;
    if (uchardet_handle_data(detector, text.data(), text.size()) == 0) {
        uchardet_data_end(detector);
        answer = uchardet_get_charset(detector);
    }
    uchardet_delete(detector);
    return answer;
}

const char* ListCodePage(const std::string& detected)
{
    for (const DetectedName& name : kDetectedNames)
        if (strcasecmp(name.detected, detected.c_str()) == 0)
            return name.codePage;
    return nullptr;
}

}  // namespace

std::optional<std::string> ReadSubtitleStart(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text(kSubtitleSampleBytes, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

std::optional<int> DetectCharsetRow(std::string_view text)
{
    if (text.starts_with(kUtf8Bom))
        return RowOfCodePage(kUtf8CodePage);
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::nullopt;
    if (ReadsIn(text, kUtf8CodePage))
        return RowOfCodePage(kUtf8CodePage);
    // uchardet guesses from few letters on short texts; a guess the bytes
    // do not read in is no answer.
    const char* codePage = ListCodePage(UchardetAnswer(text));
    if (codePage == nullptr || !ReadsIn(text, codePage))
        return std::nullopt;
    return RowOfCodePage(codePage);
}

std::optional<int> DetectSubtitleCharset(const std::string& path)
{
    const std::optional<std::string> text = ReadSubtitleStart(path);
    return text ? DetectCharsetRow(*text) : std::nullopt;
}

std::string DecodeToUtf8(std::string_view text, const std::string& codePage)
{
    const std::optional<Decoded> decoded = ToUtf8(text, codePage.c_str());
    return decoded ? decoded->text : "";
}

}  // namespace engine
