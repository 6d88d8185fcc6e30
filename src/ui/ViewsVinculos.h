#pragma once

#include "host/Grid.h"
#include "lines/PosicionVentana.h"

#include <QTableView>

class QCheckBox;

namespace ui {

class GridModel;

// Registers the views of the link windows, the no-payment dialog and the supplier prompt.
void RegisterVinculosViews();

int PixelsToTwips(int pixels);
// Puts a window where the user last left it; nothing when no position was ever saved.
void AplicarPosicion(QWidget *ventana, const lines::PosicionVentana &posicion);
// The window's place as the settings keep it: frame position, client size, in twips.
lines::PosicionVentana PosicionDe(const QWidget *ventana);

// The grid of the link windows: the controller's rows, widths in twips, column 0 ticked by click,
// space or the header box over it. It keeps the grid's current and top row up to date, so that
// the controller always knows where the user is.
class TablaVinculos : public QTableView {
    Q_OBJECT
  public:
    // `elastica` is the column that takes the room left over when the window is widened.
    TablaVinculos(host::Grid &grid, int elastica, QWidget *parent = nullptr);
    GridModel *Modelo() const { return modelo_; }
    QCheckBox *CheckCabecera() const { return chkCabecera_; }
    // Redraws from the grid: rows when they changed, hidden columns, the current row, the header box.
    void Mostrar(bool cabeceraMarcada);
    // The sum of the visible columns' widths, for the window's first size.
    int AnchoColumnas() const;

  signals:
    void cabeceraPulsada(bool marcada);
    // A click on column 0 of data row `fila` (1-based).
    void marcaPulsada(int fila);
    void espacioPulsado();
    void dobleClic();
    // Up while already on the first row.
    void arribaEnPrimera();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void AjustarElastica();
    void ColocarCheckCabecera();

    host::Grid &grid_;
    GridModel *modelo_;
    QCheckBox *chkCabecera_;
    int elastica_;
    bool pintando_ = false;
    bool anchosPuestos_ = false;
};

} // namespace ui
