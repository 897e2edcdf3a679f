#pragma once

#include "invoice/TLemoPrij.h"
#include "transfer/TTransferContext.h"

#include <string>

// The package builders of the two send runs, on the record the check filled: its description file and its file list
// (JmenoSouboru of each file is the temporary copy made when the file was attached). See SendPackage for the steps.
namespace ndlemo {

// The invoice package NAME.zip: NAME.fak, NAME.001..., archived in InvoiceArchiveDir of the receipt date.
void SendInvoicePackage(const std::string& name, const TLemoPrij& prij, const TTransferContext& context,
                        std::string& lastUploadFile);

// The medical-reports package NAME.zip: NAME.txt, NAME_001.pdf..., archived (SCP mode only) in ReportsArchiveDir of
// the transfer id.
void SendReportsPackage(const std::string& name, const TLemoPrij& prij, const TTransferContext& context,
                        std::string& lastUploadFileLZ);

} // namespace ndlemo
