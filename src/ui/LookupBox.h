#pragma once

#include "lines/BuscadorMaestros.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QToolButton;

namespace ui {

// The suite's lookup box: a code box, the name beside it and a search list (the "..." button or F4).
// What is looked up comes from the controller.
class LookupBox : public QWidget {
    Q_OBJECT
  public:
    using Buscar = std::function<std::vector<lines::BuscadorMaestros::Fila>(const std::string &)>;

    // `caracteres` is the widest code the box must show in full.
    LookupBox(bool numerico, int caracteres, QWidget *parent = nullptr);
    bool Numerico() const { return numerico_; }
    void SetBuscar(Buscar buscar) { buscar_ = std::move(buscar); }
    // Redraw from the controller; the code box is left alone while the user types in it.
    void Mostrar(const std::string &codigo, const std::string &nombre, bool enabled, bool locked);
    std::string Codigo() const;
    QLineEdit *CodigoEdit() const { return codigo_; }
    // Opens the search list; returns true when a row was chosen.
    bool AbrirLista();

  signals:
    // The code was changed by typing (when the box loses the focus or Enter is pressed) or by the list.
    void codigoCambiado();
    void enterPulsado();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QLineEdit *codigo_;
    QLineEdit *nombre_;
    QToolButton *lista_;
    Buscar buscar_;
    QString ultimo_;
    bool numerico_;
};

} // namespace ui
