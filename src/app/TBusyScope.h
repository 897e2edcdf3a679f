#pragma once

namespace ndlemo {

// The controller's busy flag for the length of a run, cleared however the run ends.
class TBusyScope {
public:
    explicit TBusyScope(bool& busy) : m_Busy(busy) { m_Busy = true; }
    ~TBusyScope() { m_Busy = false; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    bool& m_Busy;
};

} // namespace ndlemo
