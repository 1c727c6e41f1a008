#pragma once
// A test case over a throw-away fee database of its own, filled with the fixture's rows
// before the case starts.
#include <gtest/gtest.h>

#include <string>

#include "TestDatabase.h"

namespace tally::testing {

class DatabaseTest : public ::testing::Test {
protected:
    explicit DatabaseTest(const std::string& rows) { db.exec(rows); }

    TestDatabase db;
};

}  // namespace tally::testing
