// File / Print with the "Choose Printer" dialog, and the output window's
// "&To Printer ".
#pragma once

#include <string>

#include "platform/print_job.h"

// What printing keeps for the whole run: the printer chosen last with Ok.
struct PrintState {
  std::string LastPrinter;
  friend bool operator==(const PrintState&, const PrintState&) = default;
};
extern PrintState Printing;

// The "Choose Printer" dialog over the platform's printers, the last chosen one
// preselected wherever it stands, else the default printer, else the first. The
// name chosen, or "" when cancelled.
std::string ChoosePrinter();
// File / Print (204): the file name, the report and the drawing on one page.
void PrintResults();
// Prints the page of File / Print on an attached job (also kelvarin-cli print).
void PrintResultsPage(PrintJob& job);
// The output window's "&To Printer ": the platform's print dialog, the "Ready to
// Print" question, then every line of the window, on as many pages as they need.
void OutputWindowToPrinter();
