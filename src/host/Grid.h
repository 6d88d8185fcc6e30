#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

enum class GridAlign { Left, Center, Right };
enum class GridType { String, Boolean, Short, Long, Single, Double, Currency, Date, Int64 };

struct GridColumn {
    std::string header;
    int width = 1000; // twips
    GridAlign align = GridAlign::Left;
    GridType type = GridType::String;
    bool hidden = false;
};

// The list control: a header row (row 0) and data rows of cell texts, with colours and a current row.
class Grid {
  public:
    std::vector<GridColumn> columns;

    int Rows() const { return static_cast<int>(cells_.size()) + 1; }
    int DataRows() const { return static_cast<int>(cells_.size()); }
    int Cols() const { return static_cast<int>(columns.size()); }
    // Back to the header row only.
    void Clear();
    // Adds one row from tab-separated cells, as the list windows fill the grid.
    void AddItem(const std::string &tabSeparated);
    void AddRow(std::vector<std::string> cells);
    void RemoveRow(int row);
    const std::string &Text(int row, int col) const;
    void SetText(int row, int col, std::string text);
    // Column 0 ticks.
    bool Ticked(int row) const { return Text(row, 0) == "1"; }
    void SetTicked(int row, bool ticked) { SetText(row, 0, ticked ? "1" : "0"); }
    void Toggle(int row) { SetTicked(row, !Ticked(row)); }
    int TickedCount() const;
    // Colours as 0xBBGGRR numbers; -1 is the default colour.
    long RowBackColor(int row) const;
    void SetRowBackColor(int row, long color);
    long CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, long color);

    // When set, the last column stretches to make the grid this wide (twips), as list windows do.
    int anchoExtendido = 0;
    int row = 0;    // current row; 0 when none
    int topRow = 0; // first visible data row
    bool redraw = true;
    // Bumped on every change, so that a view knows when to reload.
    std::uint64_t version = 0;

  private:
    std::vector<std::vector<std::string>> cells_;
    std::vector<long> rowBack_;
    std::vector<std::vector<long>> cellBack_;
};

} // namespace host
