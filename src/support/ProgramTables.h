#pragma once

#include "support/TQsStreamDataSet.h"

#include <memory>

namespace ndlemo {

// The program's in-memory tables. DefineXxx gives a closed table its name and fields (replacing any it
// had); CreateXxx returns a new table so defined and already open, as the data module and the report
// forms keep them for the whole run.

void DefineQssPRS(TQsStreamDataSet& table);
void DefineQssLZ(TQsStreamDataSet& table);
void DefineQssSest01(TQsStreamDataSet& table);
void DefineQssSest02(TQsStreamDataSet& table);
void DefineQssSestQRF(TQsStreamDataSet& table);

[[nodiscard]] std::unique_ptr<TQsStreamDataSet> CreateQssPRS();
[[nodiscard]] std::unique_ptr<TQsStreamDataSet> CreateQssLZ();
[[nodiscard]] std::unique_ptr<TQsStreamDataSet> CreateQssSest01();
[[nodiscard]] std::unique_ptr<TQsStreamDataSet> CreateQssSest02();
[[nodiscard]] std::unique_ptr<TQsStreamDataSet> CreateQssSestQRF();

} // namespace ndlemo
