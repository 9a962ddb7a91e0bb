#include "cli/commands.h"

namespace numerelle::cli {

std::vector<Subcommand> calculusCommands() { return {}; }

}  // namespace numerelle::cli
