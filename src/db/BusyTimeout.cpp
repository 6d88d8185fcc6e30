#include "db/BusyTimeout.h"

#include <cstdlib>
#include <string>

namespace db {

int BusyTimeoutMs() {
    constexpr int kDefault = 15000;
    const char *v = std::getenv("PAGOCENTRAL_BUSY_TIMEOUT");
    if (!v || !*v) {
        return kDefault;
    }
    char *end = nullptr;
    long ms = std::strtol(v, &end, 10);
    return *end == '\0' && ms >= 0 && ms <= 24L * 3600 * 1000 ? static_cast<int>(ms) : kDefault;
}

} // namespace db
