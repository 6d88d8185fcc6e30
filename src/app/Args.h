#pragma once

#include <map>
#include <string>
#include <vector>

namespace app {

// Command line: a command word, --options (with or without a value) and positional words.
class Args {
  public:
    Args(int argc, char **argv, const std::vector<std::string> &flags);
    const std::string &Command() const { return command_; }
    bool Has(const std::string &opt) const { return options_.count(opt) > 0; }
    std::string Get(const std::string &opt, const std::string &def = {}) const;
    int GetInt(const std::string &opt, int def) const;
    const std::vector<std::string> &Positional() const { return positional_; }

  private:
    std::string command_;
    std::map<std::string, std::string> options_;
    std::vector<std::string> positional_;
};

} // namespace app
