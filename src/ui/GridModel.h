#pragma once

#include "host/Grid.h"

#include <QAbstractTableModel>
#include <QFont>

namespace ui {

// Thin model over the controller's grid; the controller owns the rows, the view only shows them.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit GridModel(host::Grid &grid, QObject *parent = nullptr) : QAbstractTableModel(parent), grid_(grid) {}
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Reloads from the grid when it changed since the last call.
    void Sync();
    host::Grid &Source() { return grid_; }

  private:
    host::Grid &grid_;
    std::uint64_t seen_ = ~0ull;
    int seenCols_ = -1;
};

// Twips to pixels at the screen's resolution (1440 twips an inch), and back.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

// A column's width in pixels: its twips scaled from the small font they were laid out for to this
// one, widened when the font would cut a date or the caption.
int ColumnPixels(const host::GridColumn &col, const QFont &font);

} // namespace ui
