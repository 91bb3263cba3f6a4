// The calculation and the log as the user meets them: the output window closed,
// filled and shown.
#pragma once

// About Centroid: closes the output window, computes (or, while ResultsCurrent,
// reports again) the properties of the table and shows the report. Silent when the
// caller has set Calc.calcMode to CalcSilent.
void ComputeProperties();

// For callers that need current results without a report: sets the silent mode and
// computes only when the stored results are stale.
void ComputePropertiesSilently();

// Appends the report (lines 0-7, two empty lines, 8-12) and shows the output window.
void ShowReport();

// Builds the log listing and shows it in the output window (400 x 200, "Log File").
void ShowLogFile();
