#pragma once

#include "db/dialect/TokenUtil.h"

#include <algorithm>
#include <string>
#include <vector>

namespace db::dialect {

// Insertions gathered while a statement is analysed and applied at the end, so that positions
// found by the analysis stay valid until then.
class Edits {
  public:
    void Insert(std::size_t pos, Tokens tokens) { edits_.push_back({pos, seq_++, std::move(tokens)}); }
    void Insert(std::size_t pos, const std::string &sql) { Insert(pos, Generated(sql)); }
    // prefix before first, suffix after the last token of r; a wrap asked for later nests inside.
    void Wrap(Range r, const std::string &prefix, const std::string &suffix) {
        Insert(r.first, prefix);
        edits_.push_back({r.second, -(seq_++), Generated(suffix)});
    }
    bool Empty() const { return edits_.empty(); }
    void Apply(Tokens &t) {
        // Later positions first; at one position, what was asked for first ends up first.
        std::stable_sort(edits_.begin(), edits_.end(), [](const Edit &a, const Edit &b) {
            return a.pos != b.pos ? a.pos > b.pos : a.seq > b.seq;
        });
        for (auto &e : edits_) {
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(e.pos), std::make_move_iterator(e.tokens.begin()),
                     std::make_move_iterator(e.tokens.end()));
        }
        edits_.clear();
    }

  private:
    struct Edit {
        std::size_t pos;
        int seq;
        Tokens tokens;
    };
    std::vector<Edit> edits_;
    int seq_ = 0;
};

} // namespace db::dialect
