#pragma once

#include "TestData.h"
#include "transfer/TBusyCursor.h"
#include "transfer/THttpTestServer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo::test {

// The information file of the tests: Windows-1250 text with CR LF.
inline std::string InfoFileBytes() {
    return ReadText(std::filesystem::path(NDLEMO_TEST_DATA_DIR) / "transfer" / "httpinfo" / "info.ini");
}

// Records the cursors the program's busy stack shows while it lives; the cursor before is the plain arrow.
class TCursorRecorder {
public:
    TCursorRecorder() {
        TBusyCursor::Program().Bind([this] { return m_Cursor; },
                                    [this](TCursor cursor) {
                                        m_Cursor = cursor;
                                        Shown.push_back(cursor);
                                    });
    }
    ~TCursorRecorder() { TBusyCursor::Program().Bind({}, {}); }
    TCursorRecorder(const TCursorRecorder&) = delete;
    TCursorRecorder& operator=(const TCursorRecorder&) = delete;

    std::vector<TCursor> Shown;

private:
    TCursor m_Cursor = TCursor::Arrow;
};

} // namespace ndlemo::test
