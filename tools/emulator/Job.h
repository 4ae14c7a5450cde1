// SPDX-License-Identifier: Apache-2.0
// One print job as the emulated printer takes it.
#pragma once

// Installs the handler that turns SIGTERM and SIGINT into a stop request.
void installStopHandler();
bool stopRequested();

// Runs a job from the CUPS backend arguments (argc 6 or 7); returns the CUPS
// backend exit status.
int runJob(int argc, char** argv);
