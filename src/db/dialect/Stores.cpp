#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

// A value stored into a column: a date column turns a text literal into a date, a money column
// keeps four decimals, as SQL Server's MONEY does.
void Store(Tokens &t, Typer &typer, ColType column, Range value, Edits &edits) {
    if (value.second <= value.first) {
        return;
    }
    if (column == ColType::Date) {
        MarkDate(t, value);
    } else if (column == ColType::Money) {
        if (value.second == value.first + 1 && (t[value.first].IsWord("NULL") || t[value.first].IsWord("DEFAULT"))) {
            return;
        }
        std::size_t k = value.first;
        if (value.second == k + 2 && (t[k].IsSymbol("-") || t[k].IsSymbol("+"))) {
            ++k;
        }
        if (value.second == k + 1 && t[k].kind == TokenKind::Number) {
            t[k].moneyContext = true; // rounded where it is bound: cheaper than SQL's round()
        } else if (k == value.first && typer.PrimaryEnd(k) == value.second && !t[value.second - 1].IsSymbol(")") &&
                   typer.Expr(value) == ColType::Money) {
            // Another money column's value is already kept to four decimals.
        } else {
            edits.Wrap(value, "round((", "), 4)");
        }
    }
}

void Insert(Tokens &t, Typer &typer, Edits &edits) {
    std::size_t i = t[1].IsWord("INTO") ? 2 : 1;
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
        cols = typer.Cat().Columns(target.schema, target.table);
    }
    std::vector<ColType> types;
    for (const auto &c : cols) {
        types.push_back(typer.Cat().TypeOf(target.schema, target.table, c));
    }
    auto storeItems = [&](const std::vector<Range> &items) {
        for (std::size_t k = 0; k < items.size() && k < types.size(); ++k) {
            Store(t, typer, types[k], items[k], edits);
        }
    };
    if (i < t.size() && t[i].IsWord("VALUES")) {
        ++i;
        while (i < t.size() && t[i].IsSymbol("(")) {
            std::size_t close = MatchClose(t, i);
            storeItems(SplitArgs(t, i, close));
            i = close + 1;
            if (i < t.size() && t[i].IsSymbol(",")) {
                ++i;
            }
        }
    } else if (i < t.size() && t[i].IsWord("SELECT")) {
        std::vector<Range> items;
        for (const auto &item : typer.SelectItems(i)) {
            items.push_back(item.expr);
        }
        storeItems(items);
    }
}

void Update(Tokens &t, Typer &typer, Edits &edits) {
    std::size_t set = FindWordAtDepth0(t, 1, t.size(), "SET");
    if (set == std::string::npos) {
        return;
    }
    std::size_t i = set + 1;
    while (i < t.size()) {
        // target [. target] = value
        std::size_t eq = i;
        while (eq < t.size() && !t[eq].IsSymbol("=")) {
            ++eq;
        }
        if (eq >= t.size() || eq == i) {
            return;
        }
        std::size_t end = eq + 1;
        int depth = 0;
        for (; end < t.size(); ++end) {
            if (t[end].IsSymbol("(")) {
                ++depth;
            } else if (t[end].IsSymbol(")")) {
                --depth;
            } else if (depth == 0 && (t[end].IsSymbol(",") || t[end].IsWord("FROM") || t[end].IsWord("WHERE"))) {
                break;
            }
        }
        ColType ct;
        if (eq - i == 1) {
            // Unqualified: the column of the updated table.
            const auto &tables = typer.Tables();
            ct = tables.empty() ? ColType::Unknown
                                : typer.Cat().TypeOf(tables[0].schema, tables[0].table, t[i].text);
            if (ct == ColType::Unknown) {
                ct = typer.Column(i);
            }
        } else {
            ct = typer.Column(eq - 1);
        }
        Store(t, typer, ct, {eq + 1, end}, edits);
        if (end >= t.size() || !t[end].IsSymbol(",")) {
            return;
        }
        i = end + 1;
    }
}

} // namespace

void RewriteStores(Tokens &t, Typer &typer, Edits &edits) {
    if (t.size() < 3) {
        return;
    }
    if (t[0].IsWord("INSERT")) {
        Insert(t, typer, edits);
    } else if (t[0].IsWord("UPDATE")) {
        Update(t, typer, edits);
    }
    // Sums of amounts are amounts: four decimals, not a binary fraction's tail.
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].IsWord("SUM") && t[i + 1].IsSymbol("(")) {
            std::size_t close = MatchClose(t, i + 1);
            if (typer.Expr({i + 2, close}) == ColType::Money) {
                edits.Wrap({i, close + 1}, "round(", ", 4)");
            }
        }
    }
}

} // namespace db::dialect
