#include "cli/commands.h"

namespace numerelle::cli {

std::vector<Subcommand> bignumCommands() { return {}; }

}  // namespace numerelle::cli
