#pragma once

class QLabel;
class QLineEdit;

namespace ui {

// A box for a number: right-aligned, as wide as `caracteres` characters.
QLineEdit *CajaNumero(QLineEdit *e, int caracteres);
// A label that shows a total: right-aligned, framed and bold.
QLabel *Cifra(QLabel *l);

} // namespace ui
