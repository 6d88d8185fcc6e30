#include "ui/GridModel.h"

#include <QColor>
#include <QFontMetrics>

#include <algorithm>
#include <QGuiApplication>
#include <QScreen>

namespace ui {

int TwipsToPixels(int twips) {
    double dpi = 96.0;
    if (auto *screen = QGuiApplication::primaryScreen()) {
        dpi = screen->logicalDotsPerInchX();
    }
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

int PixelsToTwips(int pixels) {
    double dpi = 96.0;
    if (auto *screen = QGuiApplication::primaryScreen()) {
        dpi = screen->logicalDotsPerInchX();
    }
    return static_cast<int>(pixels * 1440.0 / dpi + 0.5);
}

int ColumnPixels(const host::GridColumn &col, const QFont &font) {
    if (col.width <= 0) {
        return 0;
    }
    QFontMetrics fm(font);
    // The layouts were drawn in twips for a font whose average character is 5 pixels wide.
    const double kAnchoBase = 5.0;
    int px = static_cast<int>(TwipsToPixels(col.width) * std::max(1.0, fm.averageCharWidth() / kAnchoBase) + 0.5);
    const int padding = 12;
    if (col.type == host::GridType::Date) {
        px = std::max(px, fm.horizontalAdvance(QStringLiteral("00/00/0000")) + padding);
    }
    return std::max(px, fm.horizontalAdvance(QString::fromStdString(col.header)) + padding);
}

int GridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : grid_.DataRows(); }

int GridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : grid_.Cols(); }

QVariant GridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    int r = index.row() + 1, c = index.column();
    const host::GridColumn &col = grid_.columns[static_cast<std::size_t>(c)];
    switch (role) {
    case Qt::DisplayRole:
        if (col.type == host::GridType::Boolean) {
            return {};
        }
        return QString::fromStdString(grid_.Text(r, c));
    case Qt::CheckStateRole:
        if (col.type == host::GridType::Boolean) {
            return static_cast<int>(grid_.Text(r, c) == "1" ? Qt::Checked : Qt::Unchecked);
        }
        return {};
    case Qt::BackgroundRole: {
        long bgr = grid_.CellBackColor(r, c);
        if (bgr < 0) {
            return {};
        }
        return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                      static_cast<int>((bgr >> 16) & 0xFF));
    }
    case Qt::TextAlignmentRole:
        switch (col.align) {
        case host::GridAlign::Right:
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case host::GridAlign::Center:
            return QVariant(Qt::AlignCenter);
        default:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= grid_.Cols()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(grid_.columns[static_cast<std::size_t>(section)].header);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant(Qt::AlignCenter);
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::Sync() {
    if (grid_.version == seen_ && grid_.Cols() == seenCols_) {
        return;
    }
    beginResetModel();
    seen_ = grid_.version;
    seenCols_ = grid_.Cols();
    endResetModel();
}

} // namespace ui
