#include "db/dialect/Typer.h"

#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsName(const Token &t) {
    return (t.kind == TokenKind::Word && !IsClauseKeyword(t)) || t.kind == TokenKind::QuotedIdent ||
           t.kind == TokenKind::TempName;
}

bool OneOf(const std::string &upper, std::initializer_list<const char *> names) {
    for (const char *n : names) {
        if (upper == n) {
            return true;
        }
    }
    return false;
}

// Words that are followed by a parenthesis without being a function.
bool IsPureKeyword(const Token &w) {
    static const char *kw[] = {"IN", "EXISTS", "VALUES", "AS", "ON", "AND", "OR", "NOT", "WHERE", "SELECT",
                               "FROM", "JOIN", "INTO", "WHEN", "THEN", "ELSE", "END", "SET", "BY", "HAVING",
                               "UNION", "EXCEPT", "INTERSECT", "OVER", "TABLE", "USING", "IS", "LIKE",
                               "BETWEEN", "CASE", "WITH", "TOP", "DISTINCT", "ALL", "DEFAULT"};
    for (const char *k : kw) {
        if (w.IsWord(k)) {
            return true;
        }
    }
    return false;
}

int Rank(ColType t) {
    switch (t) {
    case ColType::Date:
        return 4;
    case ColType::Money:
        return 3;
    case ColType::Number:
        return 2;
    case ColType::Text:
        return 1;
    default:
        return 0;
    }
}

} // namespace

ColType ColTypeFromDecl(const std::string &declRaw) {
    std::string d = Upper(declRaw);
    if (d.empty()) {
        return ColType::Unknown;
    }
    if (d.find("DATE") != std::string::npos || d.find("TIME") != std::string::npos) {
        return ColType::Date;
    }
    if (d.find("CHAR") != std::string::npos || d.find("TEXT") != std::string::npos ||
        d.find("CLOB") != std::string::npos) {
        return ColType::Text;
    }
    if (d.find("MONEY") != std::string::npos || d.find("DECIMAL") != std::string::npos ||
        d.find("NUMERIC") != std::string::npos) {
        return ColType::Money;
    }
    return ColType::Number;
}

ColType Precedence(const std::vector<ColType> &types) {
    ColType best = ColType::Unknown;
    for (ColType t : types) {
        if (Rank(t) > Rank(best)) {
            best = t;
        }
    }
    return best;
}

bool Typer::IsArithmetic(const Token &k) {
    if (k.kind != TokenKind::Symbol) {
        return false;
    }
    return k.text == "+" || k.text == "-" || k.text == "*" || k.text == "/" || k.text == "%" || k.text == "||" ||
           k.text == "&" || k.text == "|" || k.text == "^";
}

bool Typer::IsComparison(const Token &k) {
    if (k.kind != TokenKind::Symbol) {
        return false;
    }
    return k.text == "=" || k.text == "<>" || k.text == "!=" || k.text == "<" || k.text == ">" || k.text == "<=" ||
           k.text == ">=" || k.text == "!<" || k.text == "!>";
}

Typer::Typer(const Tokens &t, Catalog &catalog) : t_(t), catalog_(catalog), tables_(CollectTables(t)) {}

bool Typer::IsCall(std::size_t b) const {
    return b + 1 < t_.size() && t_[b + 1].IsSymbol("(") &&
           ((t_[b].kind == TokenKind::Word && !IsPureKeyword(t_[b])) || t_[b].kind == TokenKind::QuotedIdent);
}

std::size_t Typer::CaseEnd(std::size_t b) const {
    int depth = 0;
    for (std::size_t i = b; i < t_.size(); ++i) {
        if (t_[i].IsWord("CASE")) {
            ++depth;
        } else if (t_[i].IsWord("END") && --depth == 0) {
            return i;
        }
    }
    Unsupported(t_, b, "CASE sin END");
}

std::size_t Typer::CaseStart(std::size_t end) const {
    int depth = 0;
    for (std::size_t i = end + 1; i-- > 0;) {
        if (t_[i].IsWord("END")) {
            ++depth;
        } else if (t_[i].IsWord("CASE") && --depth == 0) {
            return i;
        }
    }
    Unsupported(t_, end, "END sin CASE");
}

std::size_t Typer::PrimaryEnd(std::size_t b) const {
    if (b >= t_.size()) {
        return b;
    }
    const Token &k = t_[b];
    std::size_t e = b;
    if (k.IsSymbol("(")) {
        e = MatchClose(t_, b) + 1;
    } else if (k.IsWord("CASE")) {
        e = CaseEnd(b) + 1;
    } else if (k.kind == TokenKind::String || k.kind == TokenKind::Number || k.kind == TokenKind::Variable ||
               k.IsWord("NULL")) {
        e = b + 1;
    } else if (IsCall(b)) {
        e = MatchClose(t_, b + 1) + 1;
    } else if (IsName(k)) {
        std::size_t j = b;
        while (j + 2 < t_.size() && t_[j + 1].IsSymbol(".") && (IsName(t_[j + 2]) || t_[j + 2].IsSymbol("*"))) {
            j += 2;
        }
        e = IsCall(j) ? MatchClose(t_, j + 1) + 1 : j + 1;
    } else {
        return b;
    }
    if (e + 1 < t_.size() && t_[e].IsWord("COLLATE")) {
        e += 2;
    }
    return e;
}

std::size_t Typer::PrimaryStart(std::size_t last) const {
    if (last >= t_.size()) {
        return std::string::npos;
    }
    if (last >= 2 && t_[last - 1].IsWord("COLLATE")) {
        last -= 2;
    }
    const Token &k = t_[last];
    std::size_t s;
    if (k.IsSymbol(")")) {
        std::size_t open = MatchOpen(t_, last);
        s = open;
        if (open > 0 && IsCall(open - 1)) {
            s = open - 1;
        }
    } else if (k.IsWord("END")) {
        return CaseStart(last);
    } else if (k.kind == TokenKind::String || k.kind == TokenKind::Number || k.kind == TokenKind::Variable ||
               k.IsWord("NULL")) {
        return last;
    } else if (IsName(k) || k.IsSymbol("*")) {
        if (k.IsSymbol("*") && !(last >= 2 && t_[last - 1].IsSymbol("."))) {
            return std::string::npos;
        }
        s = last;
    } else {
        return std::string::npos;
    }
    while (s >= 2 && t_[s - 1].IsSymbol(".") && IsName(t_[s - 2])) {
        s -= 2;
    }
    return s;
}

std::size_t Typer::OperandStart(std::size_t op) const {
    if (op == 0) {
        return op;
    }
    std::size_t s = PrimaryStart(op - 1);
    if (s == std::string::npos) {
        return op;
    }
    while (s >= 1 && IsArithmetic(t_[s - 1])) {
        std::size_t prev = s >= 2 ? PrimaryStart(s - 2) : std::string::npos;
        if (prev == std::string::npos) {
            if (t_[s - 1].IsSymbol("-") || t_[s - 1].IsSymbol("+")) {
                --s; // a sign
            }
            break;
        }
        s = prev;
    }
    return s;
}

std::size_t Typer::OperandEnd(std::size_t op) const {
    std::size_t e = op + 1;
    for (;;) {
        while (e < t_.size() && (t_[e].IsSymbol("-") || t_[e].IsSymbol("+"))) {
            ++e;
        }
        std::size_t pe = PrimaryEnd(e);
        if (pe == e) {
            return e;
        }
        e = pe;
        if (e < t_.size() && IsArithmetic(t_[e])) {
            ++e;
            continue;
        }
        return e;
    }
}

ColType Typer::Expr(Range r) {
    if (r.second <= r.first) {
        return ColType::Unknown;
    }
    if (++depth_ > 16) {
        --depth_;
        return ColType::Unknown;
    }
    std::vector<ColType> terms;
    std::vector<std::string> ops;
    std::size_t i = r.first;
    bool ok = true;
    for (;;) {
        while (i < r.second && (t_[i].IsSymbol("-") || t_[i].IsSymbol("+"))) {
            ++i;
        }
        std::size_t e = PrimaryEnd(i);
        if (e == i || e > r.second) {
            ok = false;
            break;
        }
        terms.push_back(Primary(i, e));
        i = e;
        if (i >= r.second) {
            break;
        }
        if (!IsArithmetic(t_[i])) {
            ok = false;
            break;
        }
        ops.push_back(t_[i].text);
        ++i;
    }
    --depth_;
    if (!ok) {
        // A condition, not a value.
        for (std::size_t k = r.first; k < r.second; ++k) {
            if (IsComparison(t_[k]) || t_[k].IsWord("AND") || t_[k].IsWord("OR") || t_[k].IsWord("LIKE")) {
                return ColType::Number;
            }
        }
        return ColType::Unknown;
    }
    if (terms.size() == 1) {
        return terms[0];
    }
    bool onlyPlusMinus = true, onlyPlus = true, text = false, money = false, unknown = false;
    for (const auto &o : ops) {
        if (o == "||") {
            return ColType::Text;
        }
        onlyPlus &= o == "+";
        onlyPlusMinus &= o == "+" || o == "-";
    }
    for (ColType c : terms) {
        text |= c == ColType::Text;
        money |= c == ColType::Money;
        unknown |= c == ColType::Unknown;
    }
    if (text && onlyPlus) {
        return ColType::Text;
    }
    if (terms[0] == ColType::Date && onlyPlusMinus) {
        bool allNumbers = true;
        for (std::size_t k = 1; k < terms.size(); ++k) {
            allNumbers &= IsNumeric(terms[k]);
        }
        return allNumbers ? ColType::Date : ColType::Number;
    }
    if (money) {
        return ColType::Money;
    }
    if (unknown && onlyPlus) {
        return ColType::Unknown;
    }
    return ColType::Number;
}

ColType Typer::Primary(std::size_t b, std::size_t e) {
    if (e >= 2 && t_[e - 2].IsWord("COLLATE")) {
        e -= 2;
    }
    const Token &k = t_[b];
    if (k.IsSymbol("(")) {
        std::size_t close = e - 1;
        if (b + 1 < close && t_[b + 1].IsWord("SELECT")) {
            auto items = SelectItems(b + 1);
            return items.empty() ? ColType::Unknown : Expr(items[0].expr);
        }
        return Expr({b + 1, close});
    }
    if (k.IsWord("CASE")) {
        return Case(b, e - 1);
    }
    if (k.kind == TokenKind::String) {
        return ColType::Text;
    }
    if (k.kind == TokenKind::Number || k.kind == TokenKind::Variable) {
        return ColType::Number;
    }
    if (k.IsWord("NULL")) {
        return ColType::Unknown;
    }
    if (t_[e - 1].IsSymbol(")")) {
        std::size_t open = MatchOpen(t_, e - 1);
        return Call(open - 1, open, e - 1);
    }
    return Column(e - 1);
}

ColType Typer::Call(std::size_t name, std::size_t open, std::size_t close) {
    std::string f = Upper(t_[name].text);
    auto args = SplitArgs(t_, open, close);
    auto arg = [&](std::size_t k) { return k < args.size() ? Expr(args[k]) : ColType::Unknown; };
    if (f == "ISNULL" || f == "IFNULL") {
        ColType a = arg(0);
        return a != ColType::Unknown ? a : arg(1);
    }
    if (f == "COALESCE") {
        std::vector<ColType> types;
        for (std::size_t k = 0; k < args.size(); ++k) {
            types.push_back(arg(k));
        }
        return Precedence(types);
    }
    if (f == "NULLIF" || f == "MIN" || f == "MAX" || f == "ABS" || f == "ROUND" || f == "FLOOR" ||
        f == "CEILING") {
        return arg(0);
    }
    if (f == "SUM" || f == "AVG") {
        return arg(0) == ColType::Money ? ColType::Money : ColType::Number;
    }
    if (OneOf(f, {"RTRIM", "LTRIM", "TRIM", "LEFT", "RIGHT", "REPLACE", "SUBSTRING", "SUBSTR", "UPPER", "LOWER",
                  "STR", "SPACE", "REPLICATE", "CHAR", "NCHAR", "CONCAT", "REVERSE", "STUFF", "QUOTENAME"})) {
        return ColType::Text;
    }
    if (OneOf(f, {"GETDATE", "CURRENT_TIMESTAMP", "SYSDATETIME", "DATEADD"})) {
        return ColType::Date;
    }
    if (f == "CAST") {
        std::size_t as = FindWordAtDepth0(t_, open + 1, close, "AS");
        return as == std::string::npos || as + 1 >= close ? ColType::Unknown : ColTypeFromDecl(t_[as + 1].text);
    }
    if (f == "CONVERT") {
        return open + 1 < close ? ColTypeFromDecl(t_[open + 1].text) : ColType::Unknown;
    }
    if (OneOf(f, {"COUNT", "YEAR", "MONTH", "DAY", "LEN", "CHARINDEX", "DATEDIFF", "DATEPART", "ASCII", "UNICODE",
                  "SIGN", "POWER", "SQRT"})) {
        return ColType::Number;
    }
    if (catalog_.FunctionBody(t_[name].text)) {
        return ColType::Money; // the database's functions return amounts
    }
    return ColType::Unknown;
}

ColType Typer::Case(std::size_t b, std::size_t end) {
    std::vector<ColType> results;
    std::size_t i = b + 1;
    std::size_t resultStart = std::string::npos;
    auto close = [&](std::size_t at) {
        if (resultStart != std::string::npos) {
            results.push_back(Expr({resultStart, at}));
            resultStart = std::string::npos;
        }
    };
    while (i < end) {
        const Token &k = t_[i];
        if (k.IsSymbol("(")) {
            i = MatchClose(t_, i) + 1;
            continue;
        }
        if (k.IsWord("CASE")) {
            i = CaseEnd(i) + 1;
            continue;
        }
        if (k.IsWord("WHEN")) {
            close(i);
        } else if (k.IsWord("THEN") || k.IsWord("ELSE")) {
            close(i);
            resultStart = i + 1;
        }
        ++i;
    }
    close(end);
    return Precedence(results);
}

ColType Typer::Column(std::size_t last) {
    if (last >= t_.size()) {
        return ColType::Unknown;
    }
    std::size_t first = last;
    while (first >= 2 && t_[first - 1].IsSymbol(".") && IsName(t_[first - 2])) {
        first -= 2;
    }
    const std::string &col = t_[last].text;
    if (!IsName(t_[last])) {
        return ColType::Unknown;
    }
    auto inside = [&](const TableRef &r) { return r.scope.first <= last && last < r.scope.second; };
    auto width = [](const TableRef &r) { return r.scope.second - r.scope.first; };
    if (first + 4 == last) {
        return catalog_.TypeOf(t_[first].text, t_[first + 2].text, col);
    }
    if (first + 2 == last) {
        const std::string &q = t_[first].text;
        const TableRef *best = nullptr;
        for (const auto &r : tables_) {
            if (EqualsNoCase(r.alias, q) && (!best || (inside(r) && (!inside(*best) || width(r) < width(*best))))) {
                best = &r;
            }
        }
        if (!best) {
            for (const auto &r : tables_) {
                if (!r.IsDerived() && EqualsNoCase(r.table, q)) {
                    best = &r;
                    break;
                }
            }
        }
        return best ? Resolve(*best, col) : ColType::Unknown;
    }
    // Unqualified: the innermost tables that see this position first.
    std::vector<const TableRef *> order;
    for (const auto &r : tables_) {
        if (inside(r)) {
            order.push_back(&r);
        }
    }
    for (std::size_t a = 0; a < order.size(); ++a) {
        for (std::size_t b = a + 1; b < order.size(); ++b) {
            if (width(*order[b]) < width(*order[a])) {
                std::swap(order[a], order[b]);
            }
        }
    }
    for (const auto *r : order) {
        ColType ct = Resolve(*r, col);
        if (ct != ColType::Unknown) {
            return ct;
        }
    }
    return ColType::Unknown;
}

ColType Typer::Resolve(const TableRef &r, const std::string &column) {
    if (r.IsDerived()) {
        return Derived(r, column);
    }
    return catalog_.TypeOf(r.schema, r.table, column);
}

ColType Typer::Derived(const TableRef &r, const std::string &column) {
    if (++depth_ > 16) {
        --depth_;
        return ColType::Unknown;
    }
    ColType out = ColType::Unknown;
    std::size_t select = r.derived.first + 1;
    for (const auto &item : SelectItems(select)) {
        if (item.star) {
            for (const auto &inner : tables_) {
                if (inner.scope.first == r.derived.first && !inner.IsDerived()) {
                    ColType ct = catalog_.TypeOf(inner.schema, inner.table, column);
                    if (ct != ColType::Unknown) {
                        out = ct;
                        break;
                    }
                }
            }
        } else if (EqualsNoCase(item.name, column)) {
            out = Expr(item.expr);
        }
        if (out != ColType::Unknown) {
            break;
        }
    }
    --depth_;
    return out;
}

std::size_t Typer::SelectListStart(std::size_t select) const {
    std::size_t i = select + 1;
    if (i < t_.size() && (t_[i].IsWord("DISTINCT") || t_[i].IsWord("ALL"))) {
        ++i;
    }
    if (i < t_.size() && t_[i].IsWord("TOP")) {
        ++i;
        if (i < t_.size() && t_[i].IsSymbol("(")) {
            i = MatchClose(t_, i) + 1;
        } else {
            ++i;
        }
        if (i < t_.size() && t_[i].IsWord("PERCENT")) {
            ++i;
        }
    }
    return i;
}

std::vector<Typer::Item> Typer::SelectItems(std::size_t select) const {
    std::vector<Item> out;
    if (select >= t_.size() || !t_[select].IsWord("SELECT")) {
        return out;
    }
    std::size_t i = SelectListStart(select);
    std::size_t end = t_.size();
    int depth = 0;
    for (std::size_t k = i; k < t_.size(); ++k) {
        if (t_[k].IsSymbol("(")) {
            ++depth;
        } else if (t_[k].IsSymbol(")")) {
            if (--depth < 0) {
                end = k;
                break;
            }
        } else if (depth == 0 && (t_[k].IsWord("INTO") || t_[k].IsWord("FROM") || t_[k].IsWord("WHERE") ||
                                  t_[k].IsWord("UNION") || t_[k].IsWord("GROUP") || t_[k].IsWord("ORDER") ||
                                  t_[k].IsWord("EXCEPT") || t_[k].IsWord("INTERSECT") || t_[k].IsSymbol(";"))) {
            end = k;
            break;
        }
    }
    depth = 0;
    std::size_t b = i;
    auto add = [&](std::size_t e) {
        if (e <= b) {
            return;
        }
        Item item;
        item.expr = {b, e};
        const Token &last = t_[e - 1];
        if (last.IsSymbol("*")) {
            item.star = true;
        } else if (e - b >= 3 && t_[e - 2].IsWord("AS") && (IsName(last) || last.kind == TokenKind::String)) {
            item.name = last.text;
            item.expr = {b, e - 2};
        } else if (e - b >= 3 && IsName(t_[b]) && t_[b + 1].IsSymbol("=")) {
            item.name = t_[b].text; // alias = expression
            item.expr = {b + 2, e};
        } else if (e - b >= 2 && IsName(last) && PrimaryEnd(b) == e - 1) {
            item.name = last.text; // expression alias
            item.expr = {b, e - 1};
        } else if (IsName(last) && PrimaryStart(e - 1) == b) {
            item.name = last.text;
        }
        out.push_back(item);
    };
    for (std::size_t k = i; k < end; ++k) {
        if (t_[k].IsSymbol("(")) {
            ++depth;
        } else if (t_[k].IsSymbol(")")) {
            --depth;
        } else if (depth == 0 && t_[k].IsSymbol(",")) {
            add(k);
            b = k + 1;
        }
    }
    add(end);
    return out;
}

} // namespace db::dialect
