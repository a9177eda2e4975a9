// bench/driver/Report.h: the benchmark's table of figures and its goals, as text.
#ifndef REPORT_H
#define REPORT_H

#include "BenchResults.h"
#include <stdio.h>

// Prints median, minimum and maximum of every figure per program, the installer's ratio to the
// floor, and each goal as met, NOT met or not measured.
void PrintReport(const BenchResults& results, FILE* pOut);

#endif // REPORT_H
