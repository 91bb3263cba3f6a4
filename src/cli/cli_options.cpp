#include "cli/cli_options.h"

#include <cstdio>

#include "cli/cli_session.h"

bool ParseCliFileOptions(const char* command, const std::vector<std::string>& args,
                         bool allowJson, CliFileOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--digits" || a == "--data") {
      if (i + 1 == args.size()) {
        std::fprintf(stderr, "kelvarin-cli %s: %s needs a value\n", command, a.c_str());
        return false;
      }
      const std::string& value = args[++i];
      if (a == "--data") {
        options.dataFolder = value;
      } else if (!ParseDigits(value, options.digits)) {
        std::fprintf(stderr, "kelvarin-cli %s: --digits takes a whole number from 0 to 6\n",
                     command);
        return false;
      }
    } else if (a == "--json" && allowJson) {
      options.json = true;
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "kelvarin-cli %s: unknown option '%s'\n", command, a.c_str());
      return false;
    } else if (options.file.empty()) {
      options.file = a;
    } else {
      std::fprintf(stderr, "kelvarin-cli %s: only one file, please\n", command);
      return false;
    }
  }
  if (options.file.empty()) {
    std::fprintf(stderr, "kelvarin-cli %s: no section file given\n", command);
    return false;
  }
  return true;
}
