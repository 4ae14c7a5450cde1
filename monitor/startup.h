// SPDX-License-Identifier: Apache-2.0
#ifndef STARTUP_H
#define STARTUP_H

#include <QString>

#include <cstdio>

// Where the package installs the monitor; the single-instance check looks for this path.
extern const char kInstalledProgramPath[];

// True when another monitor runs on this machine (any user's).
bool checkDoubleStartApp();

// Reads a process listing to its end, echoing it to standard output, and counts the reads
// that do not hold "grep". A line longer than one read is counted once per piece.
int countMonitorProcessLines(FILE* listing);

// The resource path of the catalogue for a BCP 47 locale name (without the .qm suffix).
QString catalogueForLocale(const QString& bcp47Name);

#endif
