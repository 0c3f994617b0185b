// RFC 4180 fields and records; whole tables are read by Python's csv module
// in tests/qt/cli/data_out_check.py.
#include <gtest/gtest.h>

#include "core/almanac/csv_writer.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

struct FieldCase {
    const char* text;
    bool quote;
    const char* field;
};

class CsvFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField(GetParam().text, GetParam().quote), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvFieldTest,
    ::testing::Values(FieldCase{"Vollmond", false, "Vollmond"},
                      FieldCase{"-27.1", false, "-27.1"},
                      FieldCase{"", false, ""},
                      FieldCase{"a,b", false, "\"a,b\""},
                      FieldCase{"sagte \"ja\"", false, "\"sagte \"\"ja\"\"\""},
                      FieldCase{"eins\r\nzwei", false, "\"eins\r\nzwei\""},
                      FieldCase{"zwei\nZeilen", false, "\"zwei\nZeilen\""},
                      FieldCase{"0123", true, "\"0123\""}),
    [](const ::testing::TestParamInfo<FieldCase>& info) {
        return test::SpelledOut(info.param.text) + (info.param.quote ? "_quoted" : "");
    });

TEST(CsvText, HeaderThenRecordsEachEndedByCrLf) {
    const CsvTable table{{"date", "bands", "label"},
                         {{"2026-01-01", "0123", "a,b"}, {"2026-01-03", "4444", "x"}}};
    EXPECT_EQ(CsvText(table, {"bands"}),
              "date,bands,label\r\n2026-01-01,\"0123\",\"a,b\"\r\n2026-01-03,\"4444\",x\r\n");
}

}  // namespace
}  // namespace velmarin
