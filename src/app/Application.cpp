#include "Application.h"

namespace app {

ApplicationValues& Application()
{
    static ApplicationValues values;
    return values;
}

}  // namespace app
