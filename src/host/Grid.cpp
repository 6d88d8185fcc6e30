#include "host/Grid.h"

#include <stdexcept>

namespace host {

namespace {
const std::string kEmpty;
}

void Grid::Clear() {
    cells_.clear();
    rowBack_.clear();
    cellBack_.clear();
    row = 0;
    topRow = 0;
    ++version;
}

void Grid::AddItem(const std::string &tabSeparated) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = tabSeparated.find('\t', start);
        cells.push_back(tabSeparated.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            break;
        }
        start = tab + 1;
    }
    AddRow(std::move(cells));
}

void Grid::AddRow(std::vector<std::string> cells) {
    cells.resize(columns.size());
    cells_.push_back(std::move(cells));
    rowBack_.push_back(-1);
    cellBack_.emplace_back();
    ++version;
}

void Grid::RemoveRow(int r) {
    if (r < 1 || r > DataRows()) {
        throw std::out_of_range("Fila fuera de la cuadrícula: " + std::to_string(r));
    }
    cells_.erase(cells_.begin() + (r - 1));
    rowBack_.erase(rowBack_.begin() + (r - 1));
    cellBack_.erase(cellBack_.begin() + (r - 1));
    if (row > DataRows()) {
        row = DataRows();
    }
    ++version;
}

const std::string &Grid::Text(int r, int c) const {
    if (c < 0 || c >= Cols()) {
        throw std::out_of_range("Columna fuera de la cuadrícula: " + std::to_string(c));
    }
    if (r == 0) {
        return columns[static_cast<std::size_t>(c)].header;
    }
    if (r < 0 || r > DataRows()) {
        throw std::out_of_range("Fila fuera de la cuadrícula: " + std::to_string(r));
    }
    const auto &cells = cells_[static_cast<std::size_t>(r - 1)];
    return static_cast<std::size_t>(c) < cells.size() ? cells[static_cast<std::size_t>(c)] : kEmpty;
}

void Grid::SetText(int r, int c, std::string text) {
    if (c < 0 || c >= Cols()) {
        throw std::out_of_range("Columna fuera de la cuadrícula: " + std::to_string(c));
    }
    if (r == 0) {
        columns[static_cast<std::size_t>(c)].header = std::move(text);
    } else {
        if (r < 0 || r > DataRows()) {
            throw std::out_of_range("Fila fuera de la cuadrícula: " + std::to_string(r));
        }
        cells_[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)] = std::move(text);
    }
    ++version;
}

int Grid::TickedCount() const {
    int n = 0;
    for (int r = 1; r <= DataRows(); ++r) {
        n += Ticked(r) ? 1 : 0;
    }
    return n;
}

long Grid::RowBackColor(int r) const {
    return r >= 1 && r <= DataRows() ? rowBack_[static_cast<std::size_t>(r - 1)] : -1;
}

void Grid::SetRowBackColor(int r, long color) {
    if (r >= 1 && r <= DataRows()) {
        rowBack_[static_cast<std::size_t>(r - 1)] = color;
        ++version;
    }
}

long Grid::CellBackColor(int r, int c) const {
    if (r < 1 || r > DataRows()) {
        return -1;
    }
    const auto &v = cellBack_[static_cast<std::size_t>(r - 1)];
    long own = static_cast<std::size_t>(c) < v.size() ? v[static_cast<std::size_t>(c)] : -1;
    return own != -1 ? own : RowBackColor(r);
}

void Grid::SetCellBackColor(int r, int c, long color) {
    if (r < 1 || r > DataRows() || c < 0 || c >= Cols()) {
        return;
    }
    auto &v = cellBack_[static_cast<std::size_t>(r - 1)];
    if (v.size() < columns.size()) {
        v.resize(columns.size(), -1);
    }
    v[static_cast<std::size_t>(c)] = color;
    ++version;
}

} // namespace host
