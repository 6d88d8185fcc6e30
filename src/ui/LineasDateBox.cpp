#include "ui/LineasDateBox.h"

#include <QFontMetrics>

namespace ui {

LineasDateBox::LineasDateBox(QWidget *parent) : QLineEdit(parent) {
    setInputMask(QStringLiteral("99/99/9999;_"));
    setAlignment(Qt::AlignCenter);
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
}

std::string LineasDateBox::Texto() const {
    QString t = text();
    for (QChar c : t) {
        if (c.isDigit()) {
            return t.toStdString();
        }
    }
    return {};
}

void LineasDateBox::Mostrar(const std::string &texto) {
    if (Texto() != texto) {
        setText(QString::fromStdString(texto));
    }
}

} // namespace ui
