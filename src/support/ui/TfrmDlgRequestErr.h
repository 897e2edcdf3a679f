#pragma once

#include <QDialog>
#include <functional>

class QTableWidget;
class QPushButton;

namespace ndlemo {

class TRequestList;

// The dialog "Chyby" that lists the requests of a validation: "E" for errors (level 256 and above) and
// "W" for warnings, with their texts.
class TfrmDlgRequestErr : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDlgRequestErr(QWidget* parent = nullptr);

    // Fills the grid from the list and shows the dialog modally; how it was closed does not matter.
    void ShowRequests(TRequestList& list);
    // The filling part of ShowRequests: the header and one row per request (one empty row for none).
    void FillRequests(TRequestList& list);

    [[nodiscard]] QTableWidget* Grid() const { return m_Grid; }

    // Replaces the modal showing (tests): called with the filled dialog instead of exec().
    using TShowHook = std::function<void(TfrmDlgRequestErr&)>;
    static void SetShowHook(TShowHook hook);

private:
    QTableWidget* m_Grid;
    QPushButton* m_Ok;
    QPushButton* m_Back;
};

// Creates the dialog, shows the list in it modally and destroys it.
void ShowRequestList(TRequestList& list, QWidget* parent = nullptr);

} // namespace ndlemo
