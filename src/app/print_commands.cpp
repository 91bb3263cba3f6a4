#include "app/print_commands.h"

#include <algorithm>

#include "app/report_window.h"
#include "model/properties.h"
#include "model/report.h"
#include "model/shared_state.h"
#include "output/output_window.h"
#include "output/print_lines.h"
#include "platform/platform.h"
#include "view/print_page.h"
#include "view/view_options.h"

PrintState Printing{};

namespace {

// The printers' names without blanks or NULs around them.
std::string CleanName(std::string name) {
  const auto keep = [](char c) { return c != ' ' && c != '\0'; };
  auto b = std::find_if(name.begin(), name.end(), keep);
  auto e = std::find_if(name.rbegin(), name.rend(), keep).base();
  return b < e ? std::string(b, e) : "";
}

// The entry of the PDF printer asks for a file to write.
constexpr const char* PdfPrinterName = "Print to PDF";

std::unique_ptr<PrintJob> AttachPrinter(const std::string& name) {
  std::string pdfFile;
  if (name == PdfPrinterName) {
    FileDialogRequest request;
    request.title = PdfPrinterName;
    request.folder = Shared.DataFolder;
    request.filter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*";
    request.defaultExtension = "pdf";
    request.flags = OfnOverwritePrompt | OfnHideReadOnly;
    if (!GetPlatform().SaveFileDialog(request, pdfFile)) return nullptr;
  }
  return GetPlatform().StartPrintJob(name, pdfFile);
}

}  // namespace

std::string ChoosePrinter() {
  std::vector<std::string> names = GetPlatform().PrinterNames();
  for (std::string& n : names) n = CleanName(n);
  auto at = [&](const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    return name.empty() || it == names.end() ? -1 : static_cast<int>(it - names.begin());
  };
  int preselected = at(Printing.LastPrinter);
  if (preselected < 0) preselected = at(CleanName(GetPlatform().DefaultPrinterName()));
  if (preselected < 0 && !names.empty()) preselected = 0;
  const std::string chosen = GetPlatform().ChoosePrinterDialog(names, preselected);
  if (!chosen.empty()) Printing.LastPrinter = chosen;
  return chosen;
}

void PrintResultsPage(PrintJob& job) {
  ComputePropertiesSilently();
  BuildReportLines();  // in the decimals in force now
  DrawPrintedPage(job.PageCanvas(), job.Metrics(), Shared.CurrentFile, Extent);
}

void PrintResults() {
  const std::string name = ChoosePrinter();
  if (name.empty()) return;
  std::unique_ptr<PrintJob> job = AttachPrinter(name);
  if (job == nullptr || job->PrinterName().empty()) {
    // A PDF file not chosen is a cancel, not a failure.
    if (name == PdfPrinterName && job == nullptr) return;
    PlatformMessageBox("Printer connection failed", "", MsgOk);
    return;
  }
  PrintResultsPage(*job);
  if (!job->Finish()) PlatformMessageBox("Printer connection failed", "", MsgOk);
}

void OutputWindowToPrinter() {
  const std::string name = GetPlatform().PlatformPrintDialog();
  std::unique_ptr<PrintJob> job = name.empty() ? nullptr : AttachPrinter(name);
  if (job == nullptr || job->PrinterName().empty()) {
    MessageDialog("Printer connection failed", MsgOk, "");
    return;
  }
  if (MessageDialog("Connected to " + job->PrinterName(), MsgOkCancel, "Ready to Print") ==
      ResultNo)
    return;  // the job is dropped unprinted
  PrintTextLines(*job, Output.lines);
  if (!job->Finish()) MessageDialog("Printer connection failed", MsgOk, "");
}
