#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

bool IsTextType(const Token &w) {
    static const char *ts[] = {"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "TEXT", "NTEXT"};
    for (const char *n : ts) {
        if (w.IsWord(n)) {
            return true;
        }
    }
    return false;
}

// Temporary tables (#x, ##x) live in the connection's own temporary schema.
void CreateTable(Tokens &t) {
    std::size_t nameAt = 2;
    if (nameAt < t.size() && t[nameAt].kind == TokenKind::TempName) {
        t.insert(t.begin() + 1, MakeWord("TEMP"));
        ++nameAt;
    }
    std::size_t open = nameAt + 1;
    if (open >= t.size() || !t[open].IsSymbol("(")) {
        return;
    }
    std::size_t close = MatchClose(t, open);
    auto defs = SplitArgs(t, open, close);
    // Walk backwards so that insertions keep earlier ranges valid.
    for (std::size_t d = defs.size(); d-- > 0;) {
        Range r = defs[d];
        if (r.second <= r.first + 1) {
            continue;
        }
        bool hasCollate = false, hasIdentity = false;
        for (std::size_t k = r.first; k < r.second; ++k) {
            hasCollate |= t[k].IsWord("COLLATE");
            hasIdentity |= t[k].IsWord("IDENTITY");
        }
        std::size_t typeAt = r.first + 1;
        if (hasIdentity) {
            Tokens def;
            def.push_back(t[r.first]);
            Tokens tail = Generated("INTEGER PRIMARY KEY AUTOINCREMENT");
            def.insert(def.end(), tail.begin(), tail.end());
            Splice(t, r.first, r.second, std::move(def));
            continue;
        }
        if (!hasCollate && IsTextType(t[typeAt])) {
            std::size_t after = typeAt + 1;
            if (after < r.second && t[after].IsSymbol("(")) {
                after = MatchClose(t, after) + 1;
            }
            Tokens coll = Generated("COLLATE NOCASE");
            t.insert(t.begin() + after, coll.begin(), coll.end());
        }
    }
}

// UPDATE a SET a.x = b.y FROM T a INNER JOIN U b ON c [WHERE w]
//   -> UPDATE T AS a SET x = b.y FROM U b WHERE (c) AND (w)
Tokens UpdateFrom(const Tokens &t, std::size_t from) {
    std::string target = t[1].text;
    std::size_t where = FindWordAtDepth0(t, from + 1, t.size(), "WHERE");
    std::size_t fromEnd = where == std::string::npos ? t.size() : where;
    // First FROM item.
    std::size_t i = from + 1;
    std::size_t itemStart = i;
    std::string schema, table, alias;
    if (i + 2 < fromEnd && t[i + 1].IsSymbol(".")) {
        schema = t[i].text;
        table = t[i + 2].text;
        i += 3;
    } else {
        table = t[i].text;
        i += 1;
    }
    alias = table;
    if (i < fromEnd && t[i].IsWord("AS")) {
        ++i;
    }
    if (i < fromEnd && (t[i].kind == TokenKind::QuotedIdent ||
                        (t[i].kind == TokenKind::Word && !IsClauseKeyword(t[i])))) {
        alias = t[i].text;
        ++i;
    }
    if (!EqualsNoCase(alias, target) && !EqualsNoCase(table, target)) {
        Unsupported(t, itemStart, "UPDATE ... FROM cuyo destino no es la primera tabla");
    }
    Tokens targetRef = Slice(t, {itemStart, i - (EqualsNoCase(alias, table) && i > itemStart ? 0 : 0)});
    Tokens rest;     // remaining FROM items
    Tokens onCond;   // condition of the first join, moved to WHERE
    if (i < fromEnd) {
        std::size_t j = i;
        if (t[j].IsWord("INNER")) {
            ++j;
        }
        if (j >= fromEnd || !t[j].IsWord("JOIN")) {
            if (t[i].IsSymbol(",")) {
                rest = Slice(t, {i + 1, fromEnd});
                j = fromEnd;
            } else {
                Unsupported(t, i, "UPDATE ... FROM con una unión no admitida");
            }
        } else {
            ++j;
            std::size_t on = FindWordAtDepth0(t, j, fromEnd, "ON");
            if (on == std::string::npos) {
                Unsupported(t, j, "JOIN sin ON");
            }
            // The ON condition runs to the next join at this depth.
            std::size_t condEnd = fromEnd;
            int depth = 0;
            for (std::size_t k = on + 1; k < fromEnd; ++k) {
                if (t[k].IsSymbol("(")) {
                    ++depth;
                } else if (t[k].IsSymbol(")")) {
                    --depth;
                } else if (depth == 0 && (t[k].IsWord("JOIN") || t[k].IsWord("INNER") || t[k].IsWord("LEFT") ||
                                          t[k].IsWord("CROSS") || t[k].IsWord("RIGHT") || t[k].IsWord("FULL"))) {
                    condEnd = k;
                    break;
                }
            }
            rest = Slice(t, {j, on});
            onCond = Slice(t, {on + 1, condEnd});
            Tokens more = Slice(t, {condEnd, fromEnd});
            rest.insert(rest.end(), more.begin(), more.end());
        }
    }
    Tokens out = Generated("UPDATE");
    Tokens tbl;
    if (!schema.empty()) {
        tbl.push_back(targetRef[0]);
        tbl.push_back(MakeSymbol("."));
        tbl.push_back(targetRef[2]);
    } else {
        tbl.push_back(targetRef[0]);
    }
    tbl[0].spaceBefore = true;
    out.insert(out.end(), tbl.begin(), tbl.end());
    Tokens as = Generated("AS");
    out.insert(out.end(), as.begin(), as.end());
    Token a;
    a.kind = TokenKind::QuotedIdent;
    a.text = alias;
    a.spaceBefore = true;
    out.push_back(a);
    // SET list without qualifiers on the assigned columns.
    Tokens set = Slice(t, {2, from});
    for (std::size_t k = 0; k + 2 < set.size(); ++k) {
        bool head = set[k].IsWord("SET") || set[k].IsSymbol(",");
        if (head && set[k + 2].IsSymbol(".") && k + 4 < set.size() && set[k + 4].IsSymbol("=")) {
            set.erase(set.begin() + k + 1, set.begin() + k + 3);
        }
    }
    out.insert(out.end(), set.begin(), set.end());
    if (!rest.empty()) {
        Tokens f = Generated("FROM");
        out.insert(out.end(), f.begin(), f.end());
        out.insert(out.end(), rest.begin(), rest.end());
    }
    Tokens whereTokens = where == std::string::npos ? Tokens{} : Slice(t, {where + 1, t.size()});
    if (!onCond.empty() || !whereTokens.empty()) {
        Tokens w = Generated("WHERE");
        out.insert(out.end(), w.begin(), w.end());
        if (!onCond.empty()) {
            out.push_back(MakeSymbol("(", true));
            out.insert(out.end(), onCond.begin(), onCond.end());
            out.push_back(MakeSymbol(")"));
        }
        if (!onCond.empty() && !whereTokens.empty()) {
            Tokens andT = Generated("AND");
            out.insert(out.end(), andT.begin(), andT.end());
        }
        if (!whereTokens.empty()) {
            out.push_back(MakeSymbol("(", true));
            out.insert(out.end(), whereTokens.begin(), whereTokens.end());
            out.push_back(MakeSymbol(")"));
        }
    }
    return out;
}

// DELETE a FROM T AS a INNER JOIN ... -> DELETE FROM T WHERE rowid IN (SELECT a.rowid FROM T AS a ...)
Tokens DeleteAliasFrom(const Tokens &t) {
    std::string target = t[1].text;
    std::size_t from = 2;
    std::vector<TableRef> refs = CollectTables(t);
    const TableRef *ref = nullptr;
    for (const auto &r : refs) {
        if (EqualsNoCase(r.alias, target)) {
            ref = &r;
            break;
        }
    }
    if (!ref) {
        Unsupported(t, 1, "DELETE con un alias que no está en FROM");
    }
    std::string sql = "DELETE FROM ";
    Tokens out = Generated("DELETE FROM");
    Token tbl;
    if (!ref->schema.empty()) {
        tbl.kind = TokenKind::QuotedIdent;
        tbl.text = ref->schema;
        tbl.spaceBefore = true;
        out.push_back(tbl);
        out.push_back(MakeSymbol("."));
    }
    tbl.kind = ref->table.rfind('#', 0) == 0 ? TokenKind::TempName : TokenKind::QuotedIdent;
    tbl.text = ref->table;
    tbl.spaceBefore = ref->schema.empty();
    out.push_back(tbl);
    Tokens head = Generated("WHERE rowid IN (SELECT");
    out.insert(out.end(), head.begin(), head.end());
    Token a;
    a.kind = TokenKind::QuotedIdent;
    a.text = target;
    a.spaceBefore = true;
    out.push_back(a);
    Tokens rowid = Generated(". rowid");
    rowid[0].spaceBefore = false;
    rowid[1].spaceBefore = false;
    out.insert(out.end(), rowid.begin(), rowid.end());
    Tokens body = Slice(t, {from, t.size()});
    out.insert(out.end(), body.begin(), body.end());
    out.push_back(MakeSymbol(")"));
    return out;
}

} // namespace

std::string SelectIntoColumns(const Tokens &t, Typer &typer) {
    if (t.empty() || !t[0].IsWord("SELECT") || FindWordAtDepth0(t, 1, t.size(), "INTO") == std::string::npos) {
        return {};
    }
    std::string cols;
    std::vector<std::string> seen;
    for (const auto &item : typer.SelectItems(0)) {
        if (item.star || item.name.empty()) {
            return {}; // the database names these columns itself
        }
        for (const auto &s : seen) {
            if (EqualsNoCase(s, item.name)) {
                return {};
            }
        }
        seen.push_back(item.name);
        std::string decl;
        switch (typer.Expr(item.expr)) {
        case ColType::Text:
            decl = " VARCHAR(8000) COLLATE NOCASE";
            break;
        case ColType::Date:
            decl = " DATETIME";
            break;
        case ColType::Money:
            decl = " MONEY";
            break;
        case ColType::Number:
            decl = " NUM";
            break;
        default:
            break;
        }
        std::string quoted = "\"";
        for (char c : item.name) {
            quoted += c;
            if (c == '"') {
                quoted += '"';
            }
        }
        cols += (cols.empty() ? "(" : ", ") + quoted + "\"" + decl;
    }
    return cols.empty() ? cols : cols + ")";
}

Translation RewriteStatement(Tokens t, const std::string &intoColumns) {
    Translation tr;
    if (t.empty()) {
        tr.kind = StatementKind::NoOp;
        return tr;
    }
    const Token &first = t[0];
    if (first.IsWord("SET")) {
        // Session options (DATEFORMAT, NOCOUNT...) mean nothing to SQLite.
        tr.kind = StatementKind::NoOp;
        return tr;
    }
    if (first.IsWord("SELECT") || first.IsWord("WITH")) {
        std::size_t into = FindWordAtDepth0(t, 1, t.size(), "INTO");
        if (first.IsWord("SELECT") && into != std::string::npos && into + 1 < t.size()) {
            Tokens target;
            std::size_t end = into + 2;
            if (into + 3 < t.size() && t[into + 2].IsSymbol(".")) {
                end = into + 4;
            }
            target = Slice(t, {into + 1, end});
            bool temp = target.back().kind == TokenKind::TempName;
            t.erase(t.begin() + into, t.begin() + end);
            for (auto &x : target) {
                x.spaceBefore = true;
            }
            tr.kind = StatementKind::SelectInto;
            tr.intoTable = Render(target, RenderMode::Inline);
            if (!intoColumns.empty()) {
                // Declared columns keep the types and the letter-case rule of what they copy.
                Tokens create = Generated(temp ? "CREATE TEMP TABLE" : "CREATE TABLE");
                create.insert(create.end(), target.begin(), target.end());
                Tokens cols = Generated(intoColumns);
                create.insert(create.end(), cols.begin(), cols.end());
                Tokens insert = Generated("INSERT INTO");
                insert.insert(insert.end(), target.begin(), target.end());
                insert.insert(insert.end(), t.begin(), t.end());
                tr.statements.push_back(std::move(create));
                tr.statements.push_back(std::move(insert));
                return tr;
            }
            Tokens head = Generated(temp ? "CREATE TEMP TABLE" : "CREATE TABLE");
            head.insert(head.end(), target.begin(), target.end());
            Tokens as = Generated("AS");
            head.insert(head.end(), as.begin(), as.end());
            t.insert(t.begin(), head.begin(), head.end());
            tr.statements.push_back(std::move(t));
            return tr;
        }
        tr.kind = StatementKind::Query;
        tr.statements.push_back(std::move(t));
        return tr;
    }
    if (first.IsWord("CREATE") || first.IsWord("DROP") || first.IsWord("ALTER")) {
        if (first.IsWord("CREATE") && t.size() > 2 && t[1].IsWord("TABLE")) {
            CreateTable(t);
        }
        tr.kind = StatementKind::Schema;
        tr.statements.push_back(std::move(t));
        return tr;
    }
    if (first.IsWord("TRUNCATE") && t.size() > 2 && t[1].IsWord("TABLE")) {
        t[0] = MakeWord("DELETE", false);
        t[1] = MakeWord("FROM");
    } else if (first.IsWord("UPDATE")) {
        std::size_t set = FindWordAtDepth0(t, 1, t.size(), "SET");
        std::size_t from = set == std::string::npos ? set : FindWordAtDepth0(t, set, t.size(), "FROM");
        if (from != std::string::npos && set == 2) {
            t = UpdateFrom(t, from);
        }
    } else if (first.IsWord("DELETE") && t.size() > 2 && !t[1].IsWord("FROM") && t[2].IsWord("FROM")) {
        t = DeleteAliasFrom(t);
    }
    tr.kind = StatementKind::Change;
    tr.statements.push_back(std::move(t));
    return tr;
}

} // namespace db::dialect
