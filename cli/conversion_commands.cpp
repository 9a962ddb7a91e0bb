#include "cli/commands.h"

namespace numerelle::cli {

std::vector<Subcommand> conversionCommands() { return {}; }

}  // namespace numerelle::cli
