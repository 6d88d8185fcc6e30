#pragma once

namespace ui {

// Registers the views of the statement lines window and of the line editor with the Qt shell.
void RegisterLineasViews();

} // namespace ui
