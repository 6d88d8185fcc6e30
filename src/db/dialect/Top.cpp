#include "db/dialect/Rewriter.h"

namespace db::dialect {

// SELECT [DISTINCT] TOP n ... becomes SELECT [DISTINCT] ... LIMIT n at the end of that SELECT.
void RewriteTop(Tokens &t) {
    for (std::size_t i = t.size(); i-- > 0;) {
        if (!t[i].IsWord("SELECT")) {
            continue;
        }
        std::size_t k = i + 1;
        if (k < t.size() && (t[k].IsWord("DISTINCT") || t[k].IsWord("ALL"))) {
            ++k;
        }
        if (k >= t.size() || !t[k].IsWord("TOP")) {
            continue;
        }
        Tokens count;
        std::size_t after;
        if (k + 1 < t.size() && t[k + 1].IsSymbol("(")) {
            std::size_t close = MatchClose(t, k + 1);
            count = Slice(t, {k + 1, close + 1});
            after = close + 1;
        } else if (k + 1 < t.size() && t[k + 1].kind == TokenKind::Number) {
            count.push_back(t[k + 1]);
            after = k + 2;
        } else {
            Unsupported(t, k, "TOP sin número");
        }
        if (after < t.size() && (t[after].IsWord("PERCENT") || t[after].IsWord("WITH"))) {
            Unsupported(t, after, "TOP PERCENT / WITH TIES no admitido");
        }
        // The end of this SELECT: an unmatched ')' or a set operator at its own depth.
        int depth = 0;
        std::size_t end = t.size();
        auto setOperator = [](const Token &w) {
            return w.IsWord("UNION") || w.IsWord("EXCEPT") || w.IsWord("INTERSECT");
        };
        bool branch = i > 0 && (setOperator(t[i - 1]) || (t[i - 1].IsWord("ALL") && i > 1 && setOperator(t[i - 2])));
        for (std::size_t j = after; j < t.size(); ++j) {
            if (t[j].IsSymbol("(")) {
                ++depth;
            } else if (t[j].IsSymbol(")")) {
                if (--depth < 0) {
                    end = j;
                    break;
                }
            } else if (depth == 0 && setOperator(t[j])) {
                end = j;
                branch = true;
                break;
            } else if (depth == 0 && branch && t[j].IsWord("ORDER")) {
                end = j; // a compound's ORDER BY sorts the whole result
                break;
            }
        }
        Tokens limit = Generated("LIMIT");
        for (auto &c : count) {
            c.spaceBefore = true;
        }
        limit.insert(limit.end(), count.begin(), count.end());
        if (branch) {
            // SQLite takes LIMIT only at the end of a compound: the branch becomes a subquery.
            limit.push_back(MakeSymbol(")"));
        }
        t.insert(t.begin() + end, limit.begin(), limit.end());
        t.erase(t.begin() + k, t.begin() + after);
        if (branch) {
            Tokens head = Generated("SELECT * FROM (");
            t.insert(t.begin() + i, head.begin(), head.end());
        }
    }
}

} // namespace db::dialect
