#pragma once

#include "cli/batchrun.h"

class BlockWriter;
class PathSource;

namespace Batch {

// Runs every file that `paths` names on `jobs` workers, each with its own Runner, and
// writes the outcome to `out` (and the lines for standard error to `errFd`) in the
// order of the names, byte for byte as one worker would. The reports of several files
// are separated by a line holding a form feed. Only a bounded window of files is in
// flight at any time, so memory stays the same however many files there are. Stops at
// the first failed write to `out`. Returns the exit status.
int run(Mode mode, int jobs, PathSource &paths, BlockWriter &out, int errFd);

// The number of processors this process may run on.
int defaultJobs();

} // namespace Batch
