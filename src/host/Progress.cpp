#include "host/Progress.h"

namespace host {

void MostrarProgreso(Shell &shell, bool visible, const std::string &texto) {
    try {
        shell.Progress(visible, visible && texto.empty() ? std::string(kProgresoPorDefecto) : texto);
    } catch (...) {
        // The long operation that called must go on.
    }
}

int AnchoProgreso(int textWidthTwips) { return textWidthTwips + 2500; }

} // namespace host
