// What the console companion does to one printer: each command as one call that returns a result for the
// output, built from the same transactions, files and items as the window.
#pragma once

#include "ctl/run.h"

namespace ctl {

// Runs the command on one printer of a supported model, whose port and driver the spooler listed.
PrinterResult RunOnPrinter(const Context& context, const PlannedPrinter& printer);

// command-file: builds the file for the model named on the command line; a result with the code.
PrinterResult BuildCommandFileFor(const Context& context);

// Seconds on a steady clock.
double Seconds();

} // namespace ctl
