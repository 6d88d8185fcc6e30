#include "ui/DateBox.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>

namespace ui {

DateBox::DateBox(QWidget *parent) : QLineEdit(parent) {
    setInputMask(QStringLiteral("99/99/9999;_"));
    setAlignment(Qt::AlignCenter);
    QAction *calendario = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendario->setToolTip(QStringLiteral("Calendario (F4)"));
    connect(calendario, &QAction::triggered, this, &DateBox::AbrirCalendario);
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 40);
    connect(this, &QLineEdit::textEdited, this, &DateBox::fechaEditada);
}

std::string DateBox::Texto() const {
    QString t = text();
    for (QChar c : t) {
        if (c.isDigit()) {
            return t.toStdString();
        }
    }
    return {};
}

void DateBox::Mostrar(const std::string &texto) {
    if (Texto() != texto) {
        setText(QString::fromStdString(texto));
    }
}

void DateBox::AbrirCalendario() {
    if (isReadOnly() || !isEnabled()) {
        return;
    }
    auto *cal = new QCalendarWidget(this);
    cal->setWindowFlags(Qt::Popup);
    cal->setAttribute(Qt::WA_DeleteOnClose);
    cal->setGridVisible(true);
    QDate actual = QDate::fromString(text(), QStringLiteral("dd/MM/yyyy"));
    cal->setSelectedDate(actual.isValid() ? actual : QDate::currentDate());
    connect(cal, &QCalendarWidget::activated, this, [this, cal](const QDate &d) {
        setText(d.toString(QStringLiteral("dd/MM/yyyy")));
        cal->close();
        setFocus();
        emit fechaEditada();
    });
    connect(cal, &QCalendarWidget::clicked, cal, &QCalendarWidget::activated);
    cal->move(mapToGlobal(QPoint(0, height())));
    cal->show();
}

void DateBox::keyPressEvent(QKeyEvent *event) {
    // The mask would keep Enter from an incomplete date; the controller wants it all the same.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit returnPressed();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier)) {
        AbrirCalendario();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace ui
