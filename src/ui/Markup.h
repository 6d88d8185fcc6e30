#pragma once

#include <string>

namespace ui {

// The task dialog's <TextBlock Foreground='Blue' FontWeight='Bold' ...>text</TextBlock> mark-up as HTML.
std::string TextBlockToHtml(const std::string &markup);

} // namespace ui
