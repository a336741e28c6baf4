#pragma once

#include "Options.h"
#include "RenderJobs.h"

#include <memory>

class TarvoltAudioProcessor;

// Renders several jobs side by side, up to one per CPU core, each with its own processor. Each
// job's report is printed when it is done; a job that fails is reported on stderr and the others
// go on. `first` (from makeProcessor) renders the first job. Returns the exit code: 0, or
// exitCodeForSomeFailed when any job failed.
int renderInParallel(const std::vector<RenderJob>& jobs, const Options& options,
                     std::unique_ptr<TarvoltAudioProcessor> first);
