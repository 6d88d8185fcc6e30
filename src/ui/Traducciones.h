#pragma once

class QCoreApplication;
class QTranslator;

namespace ui {

// Qt's own texts in Spanish (file dialogs, standard buttons, context menus), whatever the
// session's language: the program speaks Spanish throughout. Null when the translations are
// not installed (the dialogs then stay in English).
QTranslator *InstalarTraducciones(QCoreApplication &app);

} // namespace ui
