#pragma once
// The product's own texts and flags. One executable serves the converter,
// the joiner and the edition without subtitles: a "product.ini" beside the
// program may replace any field of the built-in table.
#include <string>

namespace app {

struct ProductIdentity {
    std::string applicationName;
    std::string fullName;
    std::string company;
    std::string webSite;
    std::string orderPage;
    std::string supportEmail;
    // File-dialog filter: a description and the pattern list of every
    // extension Add Files, Add Folder and drops accept.
    std::string openFileFilter;
    bool subtitleEdition = true;
};

ProductIdentity BuiltInProductIdentity();

// The built-in table with the fields of section "Product" of
// dataDirectory + "product.ini" laid over it.
ProductIdentity LoadProductIdentity(const std::string& dataDirectory);

// The joiner edition: its main action joins the sources instead of
// converting them.
bool JoinerMode(const ProductIdentity& product);

}  // namespace app
