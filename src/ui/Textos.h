#pragma once

#include <QLineEdit>
#include <QString>

#include <string>

namespace ui {

// The controllers keep their texts in UTF-8.
inline QString Q(const std::string &s) { return QString::fromStdString(s); }

// Writes a box only when its text differs, so that a redraw leaves the cursor where the user put it.
inline void Texto(QLineEdit *e, const std::string &t) {
    if (e->text() != Q(t)) {
        e->setText(Q(t));
    }
}

} // namespace ui
