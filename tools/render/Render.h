#pragma once

#include "Options.h"

// Renders the input (or the demo) with the processor as the options say, writes the output and
// prints the report; returns the exit code. Fails with a RenderError.
int render(const Options& options);
