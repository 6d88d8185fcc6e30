#include "app/Args.h"

#include <algorithm>
#include <stdexcept>

namespace app {

Args::Args(int argc, char **argv, const std::vector<std::string> &flags) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            std::string name = a.substr(2);
            std::size_t eq = name.find('=');
            if (eq != std::string::npos) {
                options_[name.substr(0, eq)] = name.substr(eq + 1);
            } else if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
                options_[name] = "1";
            } else {
                if (i + 1 >= argc) {
                    throw std::runtime_error("Falta el valor de --" + name);
                }
                options_[name] = argv[++i];
            }
        } else if (command_.empty()) {
            command_ = a;
        } else {
            positional_.push_back(a);
        }
    }
}

std::string Args::Get(const std::string &opt, const std::string &def) const {
    auto it = options_.find(opt);
    return it == options_.end() ? def : it->second;
}

int Args::GetInt(const std::string &opt, int def) const {
    auto it = options_.find(opt);
    if (it == options_.end()) {
        return def;
    }
    try {
        std::size_t used = 0;
        int v = std::stoi(it->second, &used);
        if (used != it->second.size()) {
            throw std::invalid_argument(it->second);
        }
        return v;
    } catch (const std::exception &) {
        throw std::runtime_error("--" + opt + " espera un número: " + it->second);
    }
}

} // namespace app
