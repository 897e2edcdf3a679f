#pragma once

namespace ndlemo {

class TReportDocument;

// Where laid-out reports are shown. The program installs the preview window; tests install a capture
// that keeps the pages. Without any (command-line use) showing a report does nothing.
class TReportPreview {
public:
    virtual ~TReportPreview() = default;
    // Shows the pages modally and returns when the user has closed the preview; the pages stay the
    // caller's and are released by it afterwards.
    virtual void Show(const TReportDocument& document) = 0;

    // The preview in force; nullptr when none is installed. Install(nullptr) removes it.
    static TReportPreview* Current();
    static void Install(TReportPreview* preview);
};

// Shows the pages in the installed preview, if any.
void ShowReportPreview(const TReportDocument& document);

} // namespace ndlemo
