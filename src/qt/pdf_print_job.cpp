#include "qt/pdf_print_job.h"

#include <QPageSize>

PdfPrintJob::PdfPrintJob(const std::string& pdfFile)
    : PagedPrintJob("Print to PDF"), writer_(QString::fromStdString(pdfFile)) {
  writer_.setResolution(300);
  writer_.setPageSize(QPageSize(QPageSize::A4));
  writer_.setTitle(QStringLiteral("Kelvarin"));
  Begin(writer_, writer_.resolution());
}

PdfPrintJob::~PdfPrintJob() { EndUnfinished(); }
