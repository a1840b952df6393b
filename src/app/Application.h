#pragma once
// Values fixed at start-up and read by the whole program.
#include "ProductIdentity.h"

#include <string>

namespace app {

struct ApplicationValues {
    std::string programDirectory;  // ends with '/'; empty means the executable's folder
    std::string appName = "ErrorApp";
    // appName with blanks replaced by '_', made usable as one file-name component
    std::string appSharedName = "ErrorApp";
    ProductIdentity product = BuiltInProductIdentity();
};

ApplicationValues& Application();

}  // namespace app
