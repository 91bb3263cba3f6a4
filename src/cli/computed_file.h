// The start of kelvarin-cli moduli and shear: a section file read and its
// properties computed silently.
#pragma once

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"

// Reads the file and computes its properties silently; false (with the exit code)
// when there is nothing to compute.
bool ComputeFile(CliSession& session, const CliFileOptions& options, CliExit& exit);
