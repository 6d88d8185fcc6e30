#include "ui/Estilos.h"

#include <QLabel>
#include <QLineEdit>

namespace ui {

QLineEdit *CajaNumero(QLineEdit *e, int caracteres) {
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().averageCharWidth() * caracteres + 12);
    return e;
}

QLabel *Cifra(QLabel *l) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(l->fontMetrics().averageCharWidth() * 14);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace ui
