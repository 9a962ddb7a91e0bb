#include "cli/commands.h"

namespace numerelle::cli {

std::vector<Subcommand> numtoolsCommands() { return {}; }

}  // namespace numerelle::cli
