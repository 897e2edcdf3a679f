#include "invoice/TdtmPrijem.h"

#include "support/ProgramTables.h"

namespace ndlemo {

TdtmPrijem::TdtmPrijem() {
    DefineQssPRS(qssPRS);
    DefineQssLZ(qssLZ);
    DefineQssSest01(qssSest01);
    DefineQssSest02(qssSest02);
    for (TQsStreamDataSet* table : {&qssPRS, &qssLZ, &qssSest01, &qssSest02})
        table->Open();
}

} // namespace ndlemo
