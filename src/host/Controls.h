#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

// Plain state of a control; the view draws it and writes user input back.
struct Control {
    std::string name;
    std::string caption;
    bool enabled = true;
    bool visible = true;
    bool locked = false;
};

struct TextField : Control {
    std::string text;
};

// A masked date box: text as typed, "##/##/####"; empty when blank.
struct DateField : Control {
    std::string text;
};

struct CheckField : Control {
    bool value = false;
};

struct ComboItem {
    std::string text;
    long data = 0;
};

struct ComboField : Control {
    std::vector<ComboItem> items;
    int index = -1;
    void Clear() {
        items.clear();
        index = -1;
    }
    void Add(std::string text, long data) { items.push_back({std::move(text), data}); }
    long ItemData() const { return index >= 0 && index < static_cast<int>(items.size()) ? items[index].data : 0; }
    std::string Text() const { return index >= 0 && index < static_cast<int>(items.size()) ? items[index].text : ""; }
    bool SelectData(long data) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].data == data) {
                index = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
};

// The suite's lookup box: a code, validated against a master table, with its name beside it.
struct LookupField : Control {
    long code = 0;
    std::string text; // code as typed (accounts are text)
    std::string descripcion; // the name shown beside the code
};

struct Button : Control {};

} // namespace host
