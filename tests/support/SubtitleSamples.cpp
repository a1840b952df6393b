#include "SubtitleSamples.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace testing_support {

std::string SubRipCues(const std::string& first, const std::string& second, const std::string& third)
{
    return "1\n00:00:00,000 --> 00:00:01,000\n" + first + "\n\n2\n00:00:01,000 --> 00:00:02,000\n" + second +
           "\n\n3\n00:00:02,000 --> 00:00:03,500\n" + third + "\n";
}

const std::string kRussianCues =
    SubRipCues("Привет! Как дела?", "Всё хорошо, спасибо.", "Пойдём домой.\nЗавтра будет новый день.");
const std::string kGreekCues =
    SubRipCues("Γεια σου! Τι κάνεις;", "Είμαι καλά, ευχαριστώ.", "Πάμε σπίτι.\nΑύριο θα είναι μια νέα μέρα.");
const std::string kJapaneseCues =
    SubRipCues("こんにちは！元気ですか？", "元気です、ありがとう。", "家に帰りましょう。\n明日は新しい日です。");
const std::string kChineseCues =
    SubRipCues("你好！你最近怎么样？", "我很好，谢谢。", "我们回家吧。\n明天又是新的一天。");

std::string Encoded(const std::string& utf8, const char* codePage)
{
    const iconv_t converter = iconv_open(codePage, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv does not know " << codePage;
        return "";
    }
    std::string encoded(utf8.size() * 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = encoded.data();
    std::size_t outLeft = encoded.size();
    const bool converted = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted) {
        ADD_FAILURE() << "the text has characters " << codePage << " lacks";
        return "";
    }
    encoded.resize(encoded.size() - outLeft);
    return encoded;
}

}  // namespace testing_support
