#pragma once

#include "app/InvoiceCheckRun.h"
#include "support/TRequestList.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ndlemo::test {

// The run's faces for tests: every request list, report and call recorded in order, in Steps too.
class TRecordingRunUi : public TRunUi {
public:
    struct TReport {
        bool Chyby;
        std::string FileName;
        std::string Result;
    };

    void ShowRequestList(TRequestList& requests) override {
        for (int i = 0; i < requests.Count(); ++i)
            Requests.push_back(requests.GetText(i, 1));
        Steps.push_back("requests");
    }
    void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) override {
        Reports.push_back({chyby, fileName, resultText});
        Steps.push_back("check report: " + resultText);
    }
    void ShowFilesReport(const std::string& fileName, const std::string& resultText) override {
        Reports.push_back({false, fileName, resultText});
        Steps.push_back("files report: " + resultText);
    }
    std::optional<std::filesystem::path> PrintInvoice(const std::filesystem::path& pdf) override {
        Steps.push_back("invoice: " + pdf.string());
        if (!InvoicePrinted)
            return std::nullopt;
        return pdf;
    }
    void ResetInvoiceTab() override {
        Steps.push_back("new invoice");
        if (OnResetInvoice)
            OnResetInvoice();
    }
    void ResetReportsTab() override {
        Steps.push_back("new reports");
        if (OnResetReports)
            OnResetReports();
    }
    void ShowUploadDialog(int mode) override { Steps.push_back("upload dialog " + std::to_string(mode)); }
    TToolConsole* ToolConsole() override { return Console; }

    std::vector<std::string> Requests;
    std::vector<TReport> Reports;
    std::vector<std::string> Steps;
    bool InvoicePrinted = true;
    TToolConsole* Console = nullptr;
    std::function<void()> OnResetInvoice;
    std::function<void()> OnResetReports;
};

} // namespace ndlemo::test
