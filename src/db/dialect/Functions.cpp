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

// SQL Server's date styles for CONVERT to text, as strftime formats.
std::string DateStyle(const std::string &style) {
    static const std::pair<const char *, const char *> styles[] = {
        {"103", "%d/%m/%Y"}, {"3", "%d/%m/%y"},       {"104", "%d.%m.%Y"}, {"4", "%d.%m.%y"},
        {"105", "%d-%m-%Y"}, {"5", "%d-%m-%y"},       {"101", "%m/%d/%Y"}, {"112", "%Y%m%d"},
        {"23", "%Y-%m-%d"},  {"120", "%Y-%m-%d %H:%M:%S"}, {"121", "%Y-%m-%d %H:%M:%f"},
        {"108", "%H:%M:%S"}, {"8", "%H:%M:%S"}};
    for (const auto &[k, v] : styles) {
        if (style == k) {
            return v;
        }
    }
    return {};
}

// Declared length of a text type at typeAt ("VARCHAR(10)"); 30 when none, as CAST and CONVERT take
// it; 0 for MAX.
int TextLength(const Tokens &t, std::size_t typeAt, std::size_t end) {
    if (typeAt + 2 < end && t[typeAt + 1].IsSymbol("(")) {
        if (t[typeAt + 2].IsWord("MAX")) {
            return 0;
        }
        if (t[typeAt + 2].kind == TokenKind::Number) {
            return std::stoi(t[typeAt + 2].text);
        }
    }
    return 30;
}

void Truncate(Builder &b, const Tokens &text, const Tokens &t, std::size_t typeAt, std::size_t end) {
    int n = TextLength(t, typeAt, end);
    if (n == 0) {
        b.Add(text);
    } else {
        b.Gen("substr(").Add(text).Gen(", 1, " + std::to_string(n) + ")");
    }
}

// CAST(expr AS type) with the type's tokens from typeAt to end.
void Cast(Builder &b, Tokens expr, const Tokens &t, std::size_t typeAt, std::size_t end, std::size_t at) {
    std::string type = Upper(t[typeAt].text);
    if (type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos) {
        // A date text becomes the stored form; other values are already dates.
        if (expr.size() == 1 && expr[0].kind == TokenKind::String) {
            expr[0].dateContext = true;
        }
        b.Arg(expr);
    } else if (type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos) {
        Builder text;
        text.Gen("CAST(").Add(expr).Gen("AS TEXT)");
        Truncate(b, text.Take(), t, typeAt, end);
    } else if (type == "MONEY" || type == "SMALLMONEY") {
        b.Gen("round(CAST(").Add(expr).Gen("AS REAL), 4)");
    } else if (type == "DECIMAL" || type == "NUMERIC") {
        // DECIMAL(p, s) rounds to s decimals; without a scale, to none.
        std::string scale = "0";
        if (typeAt + 4 < end && t[typeAt + 1].IsSymbol("(") && t[typeAt + 3].IsSymbol(",")) {
            scale = t[typeAt + 4].text;
        }
        b.Gen("round(CAST(").Add(expr).Gen("AS REAL), " + scale + ")");
    } else if (type == "FLOAT" || type == "REAL") {
        b.Gen("CAST(").Add(expr).Gen("AS REAL)");
    } else if (type == "INT" || type == "INTEGER" || type == "SMALLINT" || type == "BIGINT" || type == "TINYINT" ||
               type == "BIT") {
        b.Gen("CAST(").Add(expr).Gen("AS INTEGER)");
    } else {
        Unsupported(t, at, "CAST a un tipo no admitido: " + t[typeAt].text);
    }
}

std::string DatePart(const Tokens &t, Range part, std::size_t at) {
    if (part.second != part.first + 1) {
        Unsupported(t, at, "Parte de fecha no admitida");
    }
    std::string p = Upper(t[part.first].text);
    static const std::pair<const char *, const char *> names[] = {
        {"YEAR", "year"},     {"YY", "year"},      {"YYYY", "year"},     {"QUARTER", "quarter"}, {"QQ", "quarter"},
        {"Q", "quarter"},     {"MONTH", "month"},  {"MM", "month"},      {"M", "month"},         {"DAY", "day"},
        {"DD", "day"},        {"D", "day"},        {"DAYOFYEAR", "day"}, {"DY", "day"},          {"Y", "day"},
        {"WEEKDAY", "day"},   {"DW", "day"},       {"WEEK", "week"},     {"WK", "week"},         {"WW", "week"},
        {"HOUR", "hour"},     {"HH", "hour"},      {"MINUTE", "minute"}, {"MI", "minute"},       {"N", "minute"},
        {"SECOND", "second"}, {"SS", "second"},    {"S", "second"}};
    for (const auto &[k, v] : names) {
        if (p == k) {
            return v;
        }
    }
    Unsupported(t, part.first, "Parte de fecha no admitida: " + t[part.first].text);
}

// Dates are kept as "yyyy-mm-dd", with " hh:mm:ss" only when there is a time.
void DateAdd(Builder &b, const Tokens &t, Range partRange, const Tokens &n, const Tokens &d, std::size_t at) {
    std::string part = DatePart(t, partRange, at);
    if (part == "year" || part == "quarter" || part == "month") {
        // Whole months from the first of the month, then the day, at most the month's last day.
        std::string factor = part == "year" ? "12" : (part == "quarter" ? "3" : "1");
        Builder months;
        months.Gen("printf('%+d months', CAST(").Arg(n).Gen("AS INTEGER) * " + factor + ")");
        Tokens m = months.Take();
        b.Gen("replace(min(date(").Arg(d).Gen(", 'start of month',").Add(m);
        b.Gen(", printf('%+d days', CAST(strftime('%d',").Arg(d).Gen(") AS INTEGER) - 1)), date(").Arg(d);
        b.Gen(", 'start of month',").Add(m).Gen(", '+1 month', '-1 day')) || substr(datetime(").Arg(d);
        b.Gen("), 11), ' 00:00:00', '')");
        return;
    }
    std::string unit = part == "week" ? "days" : part + "s";
    std::string factor = part == "week" ? " * 7" : "";
    b.Gen("replace(datetime(").Arg(d).Gen(", printf('%+d " + unit + "', CAST(").Arg(n);
    b.Gen("AS INTEGER)" + factor + ")), ' 00:00:00', '')");
}

// Boundaries crossed between two dates, as SQL Server counts them.
void DateDiff(Builder &b, const Tokens &t, Range partRange, const Tokens &from, const Tokens &to, std::size_t at) {
    std::string part = DatePart(t, partRange, at);
    auto months = [&](const Tokens &x, const char *per) {
        Builder m;
        if (std::string(per) == "12") {
            m.Gen("(CAST(strftime('%Y',").Arg(x).Gen(") AS INTEGER) * 12 + CAST(strftime('%m',").Arg(x);
            m.Gen(") AS INTEGER))");
        } else if (std::string(per) == "4") {
            m.Gen("(CAST(strftime('%Y',").Arg(x).Gen(") AS INTEGER) * 4 + (CAST(strftime('%m',").Arg(x);
            m.Gen(") AS INTEGER) + 2) / 3)");
        } else {
            m.Gen("CAST(strftime('%Y',").Arg(x).Gen(") AS INTEGER)");
        }
        return m.Take();
    };
    auto seconds = [&](const Tokens &x, const char *format) {
        Builder s;
        s.Gen("CAST(strftime('%s', strftime('" + std::string(format) + "',").Arg(x).Gen(")) AS INTEGER)");
        return s.Take();
    };
    if (part == "year") {
        b.Gen("(").Add(months(to, "1")).Gen("-").Add(months(from, "1")).Gen(")");
    } else if (part == "quarter") {
        b.Gen("(").Add(months(to, "4")).Gen("-").Add(months(from, "4")).Gen(")");
    } else if (part == "month") {
        b.Gen("(").Add(months(to, "12")).Gen("-").Add(months(from, "12")).Gen(")");
    } else if (part == "day") {
        b.Gen("CAST(round(julianday(date(").Arg(to).Gen(")) - julianday(date(").Arg(from).Gen("))) AS INTEGER)");
    } else if (part == "week") {
        // Weeks start on Sunday.
        b.Gen("CAST(round(((julianday(date(").Arg(to).Gen(")) - CAST(strftime('%w',").Arg(to);
        b.Gen(") AS INTEGER)) - (julianday(date(").Arg(from).Gen(")) - CAST(strftime('%w',").Arg(from);
        b.Gen(") AS INTEGER))) / 7) AS INTEGER)");
    } else {
        const char *format = part == "hour" ? "%Y-%m-%d %H:00:00"
                                            : (part == "minute" ? "%Y-%m-%d %H:%M:00" : "%Y-%m-%d %H:%M:%S");
        const char *per = part == "hour" ? "3600" : (part == "minute" ? "60" : "1");
        b.Gen("((").Add(seconds(to, format)).Gen("-").Add(seconds(from, format)).Gen(") / " + std::string(per) + ")");
    }
}

} // namespace

void RewriteFunctions(Tokens &t, Catalog &catalog) {
    static const std::string now = "strftime('%Y-%m-%d %H:%M:%S','now','localtime')";
    for (std::size_t i = t.size(); i-- > 0;) {
        Token &tok = t[i];
        bool space = tok.spaceBefore;
        if (tok.kind == TokenKind::Variable) {
            if (EqualsNoCase(tok.text, "@@IDENTITY")) {
                // SQL Server: NULL until an identity is given, and after an insert that gives none.
                Splice(t, i, i + 1, Generated("NULLIF(last_insert_rowid(), 0)"));
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
            Cast(b, Slice(t, {open + 1, as}), t, as + 1, close, i);
        } else if (name == "CONVERT") {
            if (ranges.size() < 2 || ranges.size() > 3) {
                Unsupported(t, i, "CONVERT con un número de argumentos no admitido");
            }
            std::size_t typeAt = ranges[0].first;
            if (ranges.size() == 3 && ColTypeFromDecl(t[typeAt].text) == ColType::Text) {
                const Token &style = t[ranges[2].first];
                std::string format = style.kind == TokenKind::Number ? DateStyle(style.text) : std::string();
                if (format.empty()) {
                    Unsupported(t, ranges[2].first, "Estilo de CONVERT no admitido: " + style.text);
                }
                Builder inner;
                inner.Gen("strftime('" + format + "',").Arg(args[1]).Gen(")");
                Truncate(b, inner.Take(), t, typeAt, ranges[0].second);
            } else {
                Cast(b, args[1], t, typeAt, ranges[0].second, i);
            }
        } else if (name == "DATEADD") {
            ExpectArgs(t, i, ranges, 3, "DATEADD");
            DateAdd(b, t, ranges[0], args[1], args[2], i);
        } else if (name == "DATEDIFF") {
            ExpectArgs(t, i, ranges, 3, "DATEDIFF");
            DateDiff(b, t, ranges[0], args[1], args[2], i);
        } else if (name == "STR") {
            if (ranges.empty() || ranges.size() > 3) {
                Unsupported(t, i, "STR con un número de argumentos no admitido");
            }
            Tokens len = ranges.size() > 1 ? args[1] : Generated("10");
            Tokens dec = ranges.size() > 2 ? args[2] : Generated("0");
            // Right-aligned in its width; asterisks when the number does not fit, as SQL Server does.
            b.Gen("(CASE WHEN length(printf('%.*f',").Arg(dec).Gen(",").Arg(args[0]).Gen(")) >").Arg(len);
            b.Gen("THEN replace(hex(zeroblob(").Arg(len).Gen(")), '00', '*') ELSE printf('%*.*f',").Arg(len);
            b.Gen(",").Arg(dec).Gen(",").Arg(args[0]).Gen(") END)");
        } else if (name == "REPLICATE") {
            ExpectArgs(t, i, ranges, 2, "REPLICATE");
            b.Gen("(CASE WHEN").Arg(args[1]).Gen("< 0 THEN NULL ELSE replace(hex(zeroblob(").Arg(args[1]);
            b.Gen(")), '00',").Arg(args[0]).Gen(") END)");
        } else if (name == "SPACE") {
            ExpectArgs(t, i, ranges, 1, "SPACE");
            b.Gen("(CASE WHEN").Arg(args[0]).Gen("< 0 THEN NULL ELSE replace(hex(zeroblob(").Arg(args[0]);
            b.Gen(")), '00', ' ') END)");
        } else if (name == "ASCII") {
            ExpectArgs(t, i, ranges, 1, "ASCII");
            b.Gen("unicode(").Arg(args[0]).Gen(")");
        } else if (name == "DATEPART" || name == "NEWID" || name == "STUFF") {
            Unsupported(t, i, "Función no admitida: " + tok.text);
        } else if (const std::string *body = catalog.FunctionBody(tok.text)) {
            // The database's functions return amounts, kept to the ten-thousandth.
            b.Gen("round(").Add(Inline(*body, args, t, i)).Gen(", 4)");
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
