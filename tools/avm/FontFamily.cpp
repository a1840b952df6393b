#include "FontFamily.h"

#include "common/ToolError.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>

namespace avm {

std::string FontFamily(const std::string& fontFile)
{
    if (!std::filesystem::is_regular_file(fontFile))
        throw tools::ToolError("subtitle font " + fontFile + " does not exist");
    FcFontSet* fonts = FcFontSetCreate();
    std::string family;
    if (fonts && FcFileScan(fonts, nullptr, nullptr, nullptr, reinterpret_cast<const FcChar8*>(fontFile.c_str()),
                            FcTrue) &&
        fonts->nfont > 0) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(fonts->fonts[0], FC_FAMILY, 0, &name) == FcResultMatch)
            family = reinterpret_cast<const char*>(name);
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    if (family.empty())
        throw tools::ToolError("subtitle font " + fontFile + " is not a font file");
    return family;
}

}  // namespace avm
