#include "cli/commands.h"

namespace numerelle::cli {

std::vector<Subcommand> matrixCommands() { return {}; }

}  // namespace numerelle::cli
