#pragma once

#include "db/Field.h"

#include <cstdint>
#include <string>

namespace app {

// An amount of ten-thousandths with two decimals at least and four at most.
std::string Importe(std::int64_t units);
// A field as batch output shows it: dates day-first, amounts with a point, no tabs or breaks.
std::string Celda(const db::Field &f);

} // namespace app
