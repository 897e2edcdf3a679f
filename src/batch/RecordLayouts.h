#pragma once

#include "batch/TColumns.h"

#include <array>
#include <cstddef>
#include <string_view>

// The fixed-width layouts of the batch file records, one namespace per layout: the lengths a record may have, the
// label that its length error names, and the columns of every field that is decoded. The decoders take their
// columns from here and nowhere else.
//
// Fields keep the names of the record they fill. CheckedDecimal and CheckedInteger are values that no check reads:
// they are decoded only because a value that is no number fails the line. Texts that no check reads are not listed,
// as the text kind cannot fail; nor are the lenient integers of the document layouts, which cannot fail either.
namespace ndlemo::layout {

// Batch header "D"; the long form adds two texts.
namespace BatchHeader {
inline constexpr std::array<size_t, 2> Lengths{62, 88};
inline constexpr size_t LongLength = 88;
inline constexpr std::string_view LengthLabel = "dávky";
inline constexpr TColumns Charakter{2, 1};
inline constexpr TColumns Typ{3, 2};
inline constexpr TColumns ICZ{5, 8};
inline constexpr TColumns Pobocka{13, 4};
inline constexpr TColumns Rok{17, 4};
inline constexpr TColumns Mesic{21, 2};
inline constexpr TColumns Cislo{23, 6};
inline constexpr TColumns PocetDokladu{29, 3};
inline constexpr TColumns Celkem{32, 11};
inline constexpr TColumns Castka{43, 18};
inline constexpr TColumns Priznak{61, 1};
inline constexpr TColumns Doplnek1{62, 13};
inline constexpr TColumns Doplnek2{75, 13};
} // namespace BatchHeader

// --- Document records ---

// Columns 1-49 shared by the document types 01, 02, 06, 34 and 37. Type 34 keeps the specialty in Odbornost2.
namespace DocumentCommon {
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Cislo{2, 7};
inline constexpr TColumns Poradi{11, 3};
inline constexpr TColumns KodPojistovny{14, 3};
inline constexpr TColumns ICP{18, 8};
inline constexpr TColumns Odbornost{32, 3};
inline constexpr TColumns CisloPojistence{35, 10};
inline constexpr TColumns Diagnoza{45, 5};
} // namespace DocumentCommon

// Types 01 and 01s: the common columns, then these.
namespace Document01 {
inline constexpr std::array<size_t, 1> Lengths{93};
inline constexpr std::string_view LengthLabel = "doklad 01";
inline constexpr TColumns CheckedDecimal{76, 10};
inline constexpr TColumns CheckedInteger{86, 7};
} // namespace Document01

// Types 02 and 02s: the common columns, then these.
namespace Document02 {
inline constexpr std::array<size_t, 1> Lengths{101};
inline constexpr std::string_view LengthLabel = "doklad 02";
inline constexpr TColumns DatumPrijeti{63, 8};
inline constexpr TColumns DatumPropusteni{71, 8};
inline constexpr TColumns CheckedDecimal{80, 12};
inline constexpr TColumns CheckedInteger{92, 9};
} // namespace Document02

// Types 03 and 03s.
namespace Document03 {
inline constexpr std::array<size_t, 1> Lengths{67};
inline constexpr std::string_view LengthLabel = "doklad 03";
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Cislo{2, 7};
inline constexpr TColumns Poradi{11, 3};
inline constexpr TColumns ICP{14, 8};
inline constexpr TColumns Odbornost{28, 3};
inline constexpr TColumns CisloPojistence{31, 10};
inline constexpr TColumns CheckedDecimal{56, 11};
} // namespace Document03

// Type 05; type 36 shares these columns.
namespace Document05 {
inline constexpr std::array<size_t, 1> Lengths{49};
inline constexpr std::string_view LengthLabel = "doklad 05";
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Cislo{2, 7};
inline constexpr TColumns KodPojistovny{9, 3};
inline constexpr TColumns ICP{12, 8};
inline constexpr TColumns Odbornost{26, 3};
inline constexpr TColumns CheckedDecimal{29, 10};
inline constexpr TColumns CheckedInteger{39, 7};
inline constexpr TColumns Poradi{46, 3};
} // namespace Document05

// Type 06: the common columns, then these.
namespace Document06 {
inline constexpr std::array<size_t, 1> Lengths{100};
inline constexpr std::string_view LengthLabel = "doklad 06";
inline constexpr TColumns DatumUdalosti{66, 8};
inline constexpr TColumns CheckedDecimal{74, 10};
inline constexpr TColumns CheckedInteger{84, 7};
inline constexpr TColumns Odbornost2{91, 3};
} // namespace Document06

// Type 34: the common columns, then these; both forms read the same columns, the places after them are texts.
namespace Document34 {
inline constexpr std::array<size_t, 2> Lengths{149, 255};
inline constexpr std::string_view LengthLabel = "doklad 34";
inline constexpr TColumns CheckedDecimal{66, 10};
inline constexpr TColumns CheckedInteger{76, 7};
inline constexpr TColumns DatumUdalosti{90, 8};
} // namespace Document34

// Type 36: the columns of type 05, then the item code; every form reads the same columns.
namespace Document36 {
inline constexpr std::array<size_t, 3> Lengths{51, 59, 68};
inline constexpr std::string_view LengthLabel = "doklad 36";
inline constexpr TColumns KodPolozky{49, 2};
} // namespace Document36

// Type 37: the common columns, then these.
namespace Document37 {
inline constexpr std::array<size_t, 1> Lengths{136};
inline constexpr std::string_view LengthLabel = "doklad 37";
inline constexpr TColumns CheckedDecimal{50, 10};
inline constexpr TColumns CheckedInteger{60, 7};
inline constexpr TColumns DatumUdalosti{74, 8};
} // namespace Document37

// --- Item records ---

// An item's length label is one of these followed by the document type.
inline constexpr std::string_view ProcedureLengthLabel = "výkonu dokladu ";
inline constexpr std::string_view DrugLengthLabel = "léku dokladu ";

// Procedures of types 01 and 01s. The long forms (31 and 35) have a wider last integer; type 01s adds the
// localisation after it.
namespace Item01 {
inline constexpr std::array<size_t, 2> Lengths01{29, 31};
inline constexpr std::array<size_t, 2> Lengths01s{33, 35};
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns Kod{10, 5};
inline constexpr TColumns Pocet{15, 1};
inline constexpr TColumns Odbornost{16, 3};
inline constexpr TColumns Diagnoza{19, 5};
inline constexpr TColumns CheckedInteger{24, 5};
inline constexpr TColumns Lokalizace1{29, 1};
inline constexpr TColumns Lokalizace2{30, 1};
inline constexpr TColumns LongCheckedInteger{24, 7};
inline constexpr TColumns LongLokalizace1{31, 1};
inline constexpr TColumns LongLokalizace2{32, 1};
} // namespace Item01

// Procedures of types 02 and 02s, laid out like those of type 01 without the diagnosis.
namespace Item02 {
inline constexpr std::array<size_t, 2> Lengths02{25, 27};
inline constexpr std::array<size_t, 2> Lengths02s{29, 31};
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns Kod{10, 5};
inline constexpr TColumns Odbornost{15, 3};
inline constexpr TColumns Pocet{18, 2};
inline constexpr TColumns CheckedInteger{20, 5};
inline constexpr TColumns Lokalizace1{25, 1};
inline constexpr TColumns Lokalizace2{26, 1};
inline constexpr TColumns LongCheckedInteger{20, 7};
inline constexpr TColumns LongLokalizace1{27, 1};
inline constexpr TColumns LongLokalizace2{28, 1};
} // namespace Item02

// Drugs of types 03 and 03s: the diagnosis only in type 03 of length 45, the localisation only in type 03s.
namespace Item03 {
inline constexpr std::array<size_t, 2> Lengths03{40, 45};
inline constexpr std::array<size_t, 1> Lengths03s{44};
inline constexpr size_t LengthWithDiagnosis = 45;
inline constexpr std::string_view LengthLabel = DrugLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns SkupinaLeku{10, 1};
inline constexpr TColumns Kod{12, 7};
inline constexpr TColumns CheckedDecimal1{19, 11};
inline constexpr TColumns CheckedDecimal2{30, 10};
inline constexpr TColumns Diagnoza{40, 5};
inline constexpr TColumns Lokalizace1{40, 1};
inline constexpr TColumns Lokalizace2{41, 1};
} // namespace Item03

// Procedures of type 05, with the insurance number of the item's own person.
namespace Item05 {
inline constexpr std::array<size_t, 1> Lengths{30};
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns CisloPojistence{10, 10};
inline constexpr TColumns Kod{20, 5};
inline constexpr TColumns Diagnoza{25, 5};
} // namespace Item05

// Procedures of type 06.
namespace Item06 {
inline constexpr std::array<size_t, 1> Lengths{16};
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns Kod{10, 5};
inline constexpr TColumns Pocet{15, 1};
} // namespace Item06

// Transport items of type 34, dated by their document.
namespace Item34 {
inline constexpr std::array<size_t, 1> Lengths{16};
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Kod{2, 5};
inline constexpr TColumns Pocet{7, 4};
inline constexpr TColumns CheckedInteger{11, 5};
} // namespace Item34

// Transport items of type 36, with the insurance number of the item's own person. The route form (177) has no
// diagnosis; the two place forms (68, 122) have a decimal and the diagnosis.
namespace Item36 {
inline constexpr std::array<size_t, 3> Lengths{68, 122, 177};
inline constexpr size_t RouteLength = 177;
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Datum{2, 8};
inline constexpr TColumns CisloPojistence{10, 10};
inline constexpr TColumns Pocet{20, 4};
inline constexpr TColumns CheckedDecimal{24, 9};
inline constexpr TColumns Diagnoza{33, 5};
} // namespace Item36

// Procedures "V" of type 37, dated by their document; the long form (17) has a wider last integer.
namespace Item37Procedure {
inline constexpr std::array<size_t, 2> Lengths{15, 17};
inline constexpr size_t LongLength = 17;
inline constexpr std::string_view LengthLabel = ProcedureLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns Kod{2, 5};
inline constexpr TColumns Pocet{7, 3};
inline constexpr TColumns CheckedInteger{10, 5};
inline constexpr TColumns LongCheckedInteger{10, 7};
} // namespace Item37Procedure

// Drugs "L" of type 37, dated by their document.
namespace Item37Drug {
inline constexpr std::array<size_t, 1> Lengths{27};
inline constexpr std::string_view LengthLabel = DrugLengthLabel;
inline constexpr TColumns TypVety{1, 1};
inline constexpr TColumns SkupinaLeku{2, 1};
inline constexpr TColumns Kod{3, 7};
inline constexpr TColumns CheckedDecimal1{10, 7};
inline constexpr TColumns CheckedDecimal2{17, 10};
} // namespace Item37Drug

// Diagnosis record "G".
namespace DiagnosisG {
inline constexpr std::array<size_t, 1> Lengths{7};
inline constexpr std::string_view LengthLabel = "G";
inline constexpr TColumns Diagnoza{2, 5};
} // namespace DiagnosisG

} // namespace ndlemo::layout
