#pragma once

// The exit status of every zeptor-cli command. Where several apply, the higher wins,
// but for 64, which ends the run before anything is done.
namespace Batch {

enum ExitStatus {
    ExitOk = 0,
    // A file (project file, pump curve, pipe table, file list) could not be loaded.
    ExitLoadFailed = 1,
    // A case needed an answer to a prompt; for fluid, the request lies outside the
    // range of its formulation.
    ExitPrompted = 2,
    // The output could not be written (a full disk, a closed output); the run stops.
    ExitOutputFailed = 3,
    ExitUsage = 64,
};

} // namespace Batch
