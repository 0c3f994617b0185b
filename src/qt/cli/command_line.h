#pragma once

namespace velmarin {

// The program's entry: a subcommand, --help or --version runs on the command
// line; anything else starts the window. Returns the exit status.
int RunVelmarin(int argc, char* argv[]);

}  // namespace velmarin
