#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsComparison(const Token &t) {
    static const char *ops[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    if (t.kind != TokenKind::Symbol) {
        return false;
    }
    for (const char *op : ops) {
        if (t.text == op) {
            return true;
        }
    }
    return false;
}

void MarkInsertValues(Tokens &t, const std::vector<TableRef> &tables, Catalog &catalog) {
    // INSERT INTO T [(cols)] VALUES (...)[, (...)] | SELECT ...
    std::size_t i = 0;
    if (t.size() < 3 || !t[0].IsWord("INSERT")) {
        return;
    }
    i = t[1].IsWord("INTO") ? 2 : 1;
    TableRef target;
    if (i + 2 < t.size() && t[i + 1].IsSymbol(".")) {
        target.schema = t[i].text;
        target.table = t[i + 2].text;
        i += 3;
    } else if (i < t.size()) {
        target.table = t[i].text;
        i += 1;
    }
    std::vector<std::string> cols;
    if (i < t.size() && t[i].IsSymbol("(")) {
        std::size_t close = MatchClose(t, i);
        for (auto r : SplitArgs(t, i, close)) {
            if (r.second > r.first) {
                cols.push_back(t[r.second - 1].text);
            }
        }
        i = close + 1;
    } else {
        cols = catalog.Columns(target.schema, target.table);
    }
    auto markItems = [&](const std::vector<Range> &items) {
        for (std::size_t k = 0; k < items.size() && k < cols.size(); ++k) {
            Range r = items[k];
            if (r.second == r.first + 1 && t[r.first].kind == TokenKind::String &&
                catalog.TypeOf(target.schema, target.table, cols[k]) == ColType::Date) {
                t[r.first].dateContext = true;
            }
        }
    };
    if (i < t.size() && t[i].IsWord("VALUES")) {
        ++i;
        while (i < t.size() && t[i].IsSymbol("(")) {
            std::size_t close = MatchClose(t, i);
            markItems(SplitArgs(t, i, close));
            i = close + 1;
            if (i < t.size() && t[i].IsSymbol(",")) {
                ++i;
            }
        }
    } else if (i < t.size() && t[i].IsWord("SELECT")) {
        std::size_t from = FindWordAtDepth0(t, i + 1, t.size(), "FROM");
        std::size_t end = from == std::string::npos ? t.size() : from;
        std::size_t start = i + 1;
        if (start < end && (t[start].IsWord("DISTINCT") || t[start].IsWord("ALL"))) {
            ++start;
        }
        std::vector<Range> items;
        int depth = 0;
        std::size_t b = start;
        for (std::size_t k = start; k < end; ++k) {
            if (t[k].IsSymbol("(")) {
                ++depth;
            } else if (t[k].IsSymbol(")")) {
                --depth;
            } else if (depth == 0 && t[k].IsSymbol(",")) {
                items.emplace_back(b, k);
                b = k + 1;
            }
        }
        items.emplace_back(b, end);
        markItems(items);
    }
    (void)tables;
}

} // namespace

// A text literal meets a date column when compared with it, in its BETWEEN or IN list, or stored into it.
void MarkDateLiterals(Tokens &t, Catalog &catalog) {
    bool any = false;
    for (const auto &tok : t) {
        if (tok.kind == TokenKind::String) {
            any = true;
            break;
        }
    }
    if (!any) {
        return;
    }
    std::vector<TableRef> tables = CollectTables(t);
    MarkInsertValues(t, tables, catalog);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != TokenKind::String || t[i].dateContext) {
            continue;
        }
        bool date = false;
        if (i >= 2 && IsComparison(t[i - 1])) {
            date = ColumnRefType(t, i - 2, tables, catalog) == ColType::Date;
        }
        if (!date && i + 2 < t.size() && IsComparison(t[i + 1])) {
            std::size_t last = i + 2;
            if (last + 2 < t.size() && t[last + 1].IsSymbol(".")) {
                last += 2;
            }
            date = ColumnRefType(t, last, tables, catalog) == ColType::Date;
        }
        if (!date && i >= 2 && t[i - 1].IsWord("BETWEEN")) {
            date = ColumnRefType(t, i - 2, tables, catalog) == ColType::Date ||
                   (i >= 3 && t[i - 2].IsWord("NOT") && ColumnRefType(t, i - 3, tables, catalog) == ColType::Date);
            if (date && i + 2 < t.size() && t[i + 1].IsWord("AND") && t[i + 2].kind == TokenKind::String) {
                t[i + 2].dateContext = true;
            }
        }
        if (!date) {
            // col IN ('a', 'b'): walk back to the opening parenthesis of the list.
            std::size_t k = i;
            while (k > 0 && (t[k - 1].IsSymbol(",") || t[k - 1].kind == TokenKind::String)) {
                --k;
            }
            if (k >= 3 && t[k - 1].IsSymbol("(") && t[k - 2].IsWord("IN")) {
                std::size_t colAt = t[k - 3].IsWord("NOT") ? k - 4 : k - 3;
                if (colAt < t.size() && ColumnRefType(t, colAt, tables, catalog) == ColType::Date) {
                    date = true;
                }
            }
        }
        t[i].dateContext = date;
    }
}

} // namespace db::dialect
