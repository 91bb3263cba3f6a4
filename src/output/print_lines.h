// Text lines printed one under another in the printer's default font, going on to
// a new page whenever the next line would not fit.
#pragma once

#include <string>
#include <vector>

#include "platform/print_job.h"

// How many lines of the default font fit on one page's printable area (at least 1).
int LinesPerPage(const PageMetrics& page);
// Prints every line in order on as many pages as they need.
void PrintTextLines(PrintJob& job, const std::vector<std::string>& lines);
