#pragma once

namespace ui {

// Registers every window's view with the Qt shell; windows without one show the shell's placeholder.
void RegisterViews();

} // namespace ui
