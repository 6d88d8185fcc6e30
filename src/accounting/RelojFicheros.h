#pragma once

#include "suite/Fecha.h"

#include <functional>

namespace accounting {

// The time that names a result file, and the pause before a taken name is composed again. Left
// empty, the system clock and a wait to the next second during which the window keeps painting.
struct RelojFicheros {
    std::function<suite::Fecha()> ahora;
    std::function<void()> esperar;
};

} // namespace accounting
