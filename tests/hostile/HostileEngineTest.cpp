// Every report engine on every hostile database: a result or the system's own error,
// nothing escaping, no value outside its literal, the file untouched.
#include <gtest/gtest.h>

#include "EngineHarness.h"
#include "HostileExpectations.h"
#include "JsonCheck.h"
#include "StatementSpill.h"

namespace tally::testing {
namespace {

struct Case {
    HostileVariant variant;
    std::string kind;
};

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string kind = info.param.kind;
    for (char& c : kind)
        if (c == '-') c = '_';
    return variantName(info.param.variant) + "_" + kind;
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (auto v : allHostileVariants())
        for (const auto& k : allReportKinds()) cases.push_back({v, k});
    return cases;
}

class EveryReportOnHostileData : public ::testing::TestWithParam<Case> {};

TEST_P(EveryReportOnHostileData, GivesRowsOrItsOwnErrorAndKeepsValuesInsideLiterals) {
    HostileDatabase db(GetParam().variant);
    const std::string before = fileBytes(db.path());
    RecordingConnection connection(db.connect());
    EngineOutcome out = runReportEngine(GetParam().kind, connection, db.profile());

    ASSERT_FALSE(out.escaped) << *out.escaped;
    ASSERT_TRUE(out.departmentFound) << "the department list lost the department";
    const Expected expected = expectedFor(GetParam().variant, GetParam().kind);
    for (const auto& e : out.errors) {
        EXPECT_FALSE(e.description.empty());
        EXPECT_TRUE(isValidUtf8(e.messageText())) << e.messageText();
        if (!e.refusedSelection) {
            EXPECT_EQ(e.messageText().rfind(std::to_string(e.number), 0), 0u) << e.messageText();
        }
    }
    switch (expected.kind) {
    case Expected::Rows:
        EXPECT_FALSE(out.hasError()) << out.errors.front().messageText();
        EXPECT_TRUE(out.hasRows());
        break;
    case Expected::Error:
        ASSERT_TRUE(out.hasError());
        EXPECT_NE(out.errors.front().messageText().find(expected.errorText), std::string::npos)
            << out.errors.front().messageText();
        break;
    case Expected::Nothing:
        EXPECT_FALSE(out.hasError()) << out.errors.front().messageText();
        EXPECT_FALSE(out.hasRows());
        break;
    }

    ASSERT_FALSE(connection.statements.empty());
    for (const auto* list : {&connection.statements, &connection.translated})
        for (const auto& sql : *list)
            for (const auto& problem : statementSpills(sql, db.profile().statementValues, kHostileMarker))
                ADD_FAILURE() << problem << "\nin: " << sql;
    EXPECT_EQ(fileBytes(db.path()), before) << "the report wrote to the database";
}

INSTANTIATE_TEST_SUITE_P(Hostile, EveryReportOnHostileData, ::testing::ValuesIn(allCases()), caseName);

}  // namespace
}  // namespace tally::testing
