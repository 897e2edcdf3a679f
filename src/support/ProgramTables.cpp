#include "support/ProgramTables.h"

#include <string>
#include <vector>

namespace ndlemo {

namespace {

using F = TQsFieldType;

void Define(TQsStreamDataSet& table, const char* name, std::vector<TQsFieldDef> fields) {
    table.Name = name;
    table.SetInMemTable(true);
    table.SetFieldDefs(std::move(fields));
}

// The attached-file lists share one shape; only the prefix of the names differs.
std::vector<TQsFieldDef> FileListFields(const std::string& prefix) {
    return {{prefix + "TmpName", F::ftString, 50},
            {prefix + "FileExt", F::ftString, 20},
            {prefix + "FileSize", F::ftInteger},
            {prefix + "SrcFileName", F::ftString, 250},
            {prefix + "SrcDateTime", F::ftDateTime}};
}

std::unique_ptr<TQsStreamDataSet> Opened(void (*define)(TQsStreamDataSet&)) {
    auto table = std::make_unique<TQsStreamDataSet>();
    define(*table);
    table->Open();
    return table;
}

} // namespace

void DefineQssPRS(TQsStreamDataSet& table) {
    Define(table, "qssPRS", FileListFields("PRS_"));
}

void DefineQssLZ(TQsStreamDataSet& table) {
    Define(table, "qssLZ", FileListFields("LZ_"));
}

void DefineQssSest01(TQsStreamDataSet& table) {
    Define(table, "qssSest01",
           {{"SEST01_Soubor", F::ftString, 20},
            {"SEST01_Davka", F::ftString, 20},
            {"SEST01_Mesic", F::ftString, 20},
            {"SEST01_Rok", F::ftString, 20},
            {"SEST01_Chyba", F::ftString, 250}});
}

void DefineQssSest02(TQsStreamDataSet& table) {
    Define(table, "qssSest02",
           {{"qssSest02_FileSize", F::ftInteger},
            {"qssSest02_SrcFileName", F::ftString, 250},
            {"qssSest02_SrcDateTime", F::ftDateTime}});
}

void DefineQssSestQRF(TQsStreamDataSet& table) {
    Define(table, "qssSestQRF",
           {{"qssSestQRF_Soubor", F::ftString, 20},
            {"qssSestQRF_Davka", F::ftString, 20},
            {"qssSestQRF_Mesic", F::ftString, 20},
            {"qssSestQRF_Rok", F::ftString, 20}});
}

std::unique_ptr<TQsStreamDataSet> CreateQssPRS() {
    return Opened(DefineQssPRS);
}
std::unique_ptr<TQsStreamDataSet> CreateQssLZ() {
    return Opened(DefineQssLZ);
}
std::unique_ptr<TQsStreamDataSet> CreateQssSest01() {
    return Opened(DefineQssSest01);
}
std::unique_ptr<TQsStreamDataSet> CreateQssSest02() {
    return Opened(DefineQssSest02);
}
std::unique_ptr<TQsStreamDataSet> CreateQssSestQRF() {
    return Opened(DefineQssSestQRF);
}

} // namespace ndlemo
