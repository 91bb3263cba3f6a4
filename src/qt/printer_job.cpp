#include "qt/printer_job.h"

#include <QPageSize>

QtPrintJob::QtPrintJob(const std::string& printerName, const std::string& pdfFile)
    : PagedPrintJob(printerName), printer_(QPrinter::HighResolution) {
  if (pdfFile.empty()) {
    printer_.setPrinterName(QString::fromStdString(printerName));
    if (!printer_.isValid()) return;
  } else {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(pdfFile));
    printer_.setResolution(300);
    printer_.setPageSize(QPageSize(QPageSize::A4));
  }
  printer_.setDocName("Kelvarin");
  Begin(printer_, printer_.resolution());
}

QtPrintJob::~QtPrintJob() {
  if (Unfinished()) printer_.abort();
  EndUnfinished();
}
