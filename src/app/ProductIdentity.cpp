#include "ProductIdentity.h"

#include "ini/PrivateProfile.h"

#include <cctype>

namespace app {

namespace {

constexpr char kSection[] = "Product";

// Containers and raw streams the engine's demuxers read; both cases are
// listed because file names on Linux are case-sensitive.
std::string VideoFilter()
{
    const char* extensions[] = {"avi",  "divx", "xvid", "mp4", "m4v", "mov", "qt",  "3gp",  "3g2",  "mkv",
                                "webm", "wmv",  "asf",  "flv", "f4v", "mpg", "mpeg", "mpe", "m1v",  "m2v",
                                "vob",  "dat",  "ts",   "mts", "m2ts", "rm", "rmvb", "ogv", "ogm",  "dv",
                                "nsv",  "mjpg", "h264", "264", "yuv"};
    std::string patterns;
    for (const char* ext : extensions) {
        std::string upper = ext;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        patterns += std::string(patterns.empty() ? "" : " ") + "*." + ext + " *." + upper;
    }
    return "Video Files (" + patterns + ")";
}

}  // namespace

ProductIdentity BuiltInProductIdentity()
{
    ProductIdentity product;
    product.applicationName = "Diziv Video Converter";
    product.fullName = "Diziv Video Converter 1.0";
    product.company = "Diziv Software";
    product.webSite = "https://www.diziv.example/";
    product.orderPage = "https://www.diziv.example/order?product=DVC10";
    product.supportEmail = "support@diziv.example";
    product.openFileFilter = VideoFilter();
    product.subtitleEdition = true;
    return product;
}

ProductIdentity LoadProductIdentity(const std::string& dataDirectory)
{
    ProductIdentity product = BuiltInProductIdentity();
    ini::PrivateProfile file(dataDirectory + "product.ini");
    auto take = [&file](const char* key, std::string& field) { field = file.GetString(kSection, key, field, 4095); };
    take("ApplicationName", product.applicationName);
    take("FullName", product.fullName);
    take("Company", product.company);
    take("WebSite", product.webSite);
    take("OrderPage", product.orderPage);
    take("SupportEmail", product.supportEmail);
    take("OpenFileFilter", product.openFileFilter);
    product.subtitleEdition = file.GetInt(kSection, "SubtitleEdition", product.subtitleEdition ? 1 : 0) != 0;
    return product;
}

bool JoinerMode(const ProductIdentity& product)
{
    return product.applicationName.find("Diziv Udozir") != std::string::npos;
}

}  // namespace app
