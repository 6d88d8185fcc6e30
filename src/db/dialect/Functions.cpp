#include "db/dialect/Rewriter.h"
#include "db/dialect/Tokenizer.h"

namespace db::dialect {

namespace {

class Builder {
  public:
    Builder &Gen(const std::string &sql) {
        Tokens g = Generated(sql);
        out_.insert(out_.end(), g.begin(), g.end());
        return *this;
    }
    Builder &Add(const Tokens &t) {
        out_.insert(out_.end(), t.begin(), t.end());
        return *this;
    }
    // The argument wrapped in parentheses, so that it keeps its meaning wherever it lands.
    Builder &Arg(const Tokens &t) { return Gen("(").Add(t).Gen(")"); }
    Tokens Take() { return std::move(out_); }

  private:
    Tokens out_;
};

void ExpectArgs(const Tokens &t, std::size_t at, const std::vector<Range> &args, std::size_t n, const char *name) {
    if (args.size() != n) {
        Unsupported(t, at, std::string(name) + " con un número de argumentos no admitido");
    }
}

// Inlines a database function body, its {k} markers replaced by the arguments.
Tokens Inline(const std::string &body, const std::vector<Tokens> &args, const Tokens &t, std::size_t at) {
    Builder b;
    b.Gen("(");
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t open = body.find('{', pos);
        if (open == std::string::npos) {
            b.Gen(body.substr(pos));
            break;
        }
        std::size_t close = body.find('}', open);
        if (open > pos) {
            b.Gen(body.substr(pos, open - pos));
        }
        std::size_t k = std::stoul(body.substr(open + 1, close - open - 1));
        if (k < 1 || k > args.size()) {
            Unsupported(t, at, "Argumentos insuficientes para la función");
        }
        b.Arg(args[k - 1]);
        pos = close + 1;
    }
    b.Gen(")");
    return b.Take();
}

} // namespace

void RewriteFunctions(Tokens &t, Catalog &catalog) {
    static const std::string now = "strftime('%Y-%m-%d %H:%M:%S','now','localtime')";
    for (std::size_t i = t.size(); i-- > 0;) {
        Token &tok = t[i];
        bool space = tok.spaceBefore;
        if (tok.kind == TokenKind::Variable) {
            if (EqualsNoCase(tok.text, "@@IDENTITY")) {
                Splice(t, i, i + 1, Generated("last_insert_rowid()"));
            } else if (EqualsNoCase(tok.text, "@@ROWCOUNT")) {
                Splice(t, i, i + 1, Generated("changes()"));
            } else {
                Unsupported(t, i, "Variable no admitida: " + tok.text);
            }
            t[i].spaceBefore = space;
            continue;
        }
        if (tok.kind != TokenKind::Word || i + 1 >= t.size() || !t[i + 1].IsSymbol("(")) {
            continue;
        }
        if (i > 0 && t[i - 1].IsSymbol(".")) {
            continue;
        }
        std::size_t open = i + 1, close = MatchClose(t, open);
        auto ranges = SplitArgs(t, open, close);
        std::vector<Tokens> args;
        for (auto r : ranges) {
            args.push_back(Slice(t, r));
        }
        Builder b;
        std::string name = Upper(tok.text);
        if (name == "ISNULL") {
            ExpectArgs(t, i, ranges, 2, "ISNULL");
            tok.text = "IFNULL";
            continue;
        } else if (name == "GETDATE") {
            b.Gen(now);
        } else if (name == "RIGHT") {
            ExpectArgs(t, i, ranges, 2, "RIGHT");
            b.Gen("substr(").Arg(args[0]).Gen(", -").Arg(args[1]).Gen(",").Arg(args[1]).Gen(")");
        } else if (name == "LEFT") {
            ExpectArgs(t, i, ranges, 2, "LEFT");
            b.Gen("substr(").Arg(args[0]).Gen(", 1,").Arg(args[1]).Gen(")");
        } else if (name == "SUBSTRING") {
            ExpectArgs(t, i, ranges, 3, "SUBSTRING");
            b.Gen("substr(").Arg(args[0]).Gen(",").Arg(args[1]).Gen(",").Arg(args[2]).Gen(")");
        } else if (name == "CHARINDEX") {
            ExpectArgs(t, i, ranges, 2, "CHARINDEX");
            // SQL Server finds nothing in an empty pattern and compares without case.
            b.Gen("(CASE WHEN length(").Arg(args[0]).Gen(") = 0 THEN 0 ELSE instr(upper(").Arg(args[1]);
            b.Gen("), upper(").Arg(args[0]).Gen(")) END)");
        } else if (name == "YEAR" || name == "MONTH" || name == "DAY") {
            ExpectArgs(t, i, ranges, 1, name.c_str());
            std::string f = name == "YEAR" ? "%Y" : (name == "MONTH" ? "%m" : "%d");
            b.Gen("CAST(strftime('" + f + "',").Arg(args[0]).Gen(") AS INTEGER)");
        } else if (name == "LEN") {
            ExpectArgs(t, i, ranges, 1, "LEN");
            b.Gen("length(rtrim(").Arg(args[0]).Gen("))");
        } else if (name == "CAST") {
            std::size_t as = FindWordAtDepth0(t, open + 1, close, "AS");
            if (as == std::string::npos || as + 1 >= close) {
                Unsupported(t, i, "CAST sin tipo");
            }
            std::string type = Upper(t[as + 1].text);
            Tokens expr = Slice(t, {open + 1, as});
            if (type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos) {
                // A date text becomes the stored form; other values are already dates.
                if (expr.size() == 1 && expr[0].kind == TokenKind::String) {
                    expr[0].dateContext = true;
                }
                b.Arg(expr);
            } else if (type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos) {
                b.Gen("CAST(").Add(expr).Gen("AS TEXT)");
            } else if (type == "MONEY" || type == "SMALLMONEY" || type == "FLOAT" || type == "REAL" ||
                       type == "DECIMAL" || type == "NUMERIC") {
                b.Gen("CAST(").Add(expr).Gen("AS REAL)");
            } else if (type == "INT" || type == "INTEGER" || type == "SMALLINT" || type == "BIGINT" ||
                       type == "TINYINT" || type == "BIT") {
                b.Gen("CAST(").Add(expr).Gen("AS INTEGER)");
            } else {
                Unsupported(t, i, "CAST a un tipo no admitido: " + t[as + 1].text);
            }
        } else if (name == "DATEADD" || name == "DATEDIFF" || name == "CONVERT" || name == "DATEPART" ||
                   name == "NEWID" || name == "STUFF") {
            Unsupported(t, i, "Función no admitida: " + tok.text);
        } else if (const std::string *body = catalog.FunctionBody(tok.text)) {
            b.Add(Inline(*body, args, t, i));
        } else {
            continue;
        }
        Tokens repl = b.Take();
        if (!repl.empty()) {
            repl[0].spaceBefore = space;
        }
        Splice(t, i, close + 1, std::move(repl));
    }
}

} // namespace db::dialect
