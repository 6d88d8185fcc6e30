#include "ui/Traducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

QTranslator *InstalarTraducciones(QCoreApplication &app) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    auto *qt = new QTranslator(&app);
    if (!qt->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return nullptr;
    }
    app.installTranslator(qt);
    return qt;
}

} // namespace ui
