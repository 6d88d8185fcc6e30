#pragma once

#include "host/Grid.h"

#include <QTableView>

#include <string>
#include <utility>
#include <vector>

class QCheckBox;

namespace suite {
class Configuracion;
}

namespace ui {

class GridModel;

// The grid of every window: the controller's rows and colours, column 0 ticked by click, space bar
// or the box over its header, the current row drawn with a frame so that its colour still shows.
// It keeps the grid's current and top row up to date, so that the controller always knows where
// the user is. Columns start at their twips measured at this font, widen to what they hold, and
// keep the widths the user gives them.
class GridView : public QTableView {
    Q_OBJECT
  public:
    explicit GridView(host::Grid &grid, QWidget *parent = nullptr);
    GridModel *Modelo() const { return modelo_; }
    QCheckBox *CheckCabecera() const { return chkCabecera_; }
    // The columns that share the room left over when the window is widened, with their percentages.
    void Elasticas(std::vector<std::pair<int, int>> columnas) { elasticas_ = std::move(columnas); }
    // Widths the user sets are kept in `ajustes` under `seccion`/`clave`, and read back now.
    void RecordarAnchos(suite::Configuracion *ajustes, std::string seccion, std::string clave);
    // Redraws from the grid: rows when they changed, hidden columns, widths, current row, header box.
    void Mostrar(bool cabeceraMarcada);
    // The sum of the visible columns' widths, for the window's first size.
    int AnchoColumnas() const;
    // Cuts the view from its grid for good: the window tearing down may already have freed it, and
    // dropping the model still sends resize events.
    void Desvincular();

  signals:
    void cabeceraPulsada(bool marcada);
    void espacioPulsado();
    void enterPulsado();
    // Up while already on the first row.
    void arribaEnPrimera();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    int AnchoContenido(int col) const;
    void AplicarAnchos();
    void GuardarAnchos();
    void ColocarCheckCabecera();

    host::Grid &grid_;
    GridModel *modelo_;
    QCheckBox *chkCabecera_;
    std::vector<std::pair<int, int>> elasticas_;
    std::vector<int> auto_, usuario_; // pixels; 0 when not set
    suite::Configuracion *ajustes_ = nullptr;
    std::string seccion_, clave_;
    std::uint64_t medido_ = ~0ull;
    bool pintando_ = false;
    bool desvinculada_ = false;
    bool arrastrando_ = false, anchosPendientes_ = false;
};

} // namespace ui
