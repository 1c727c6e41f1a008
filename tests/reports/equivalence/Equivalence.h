#pragma once
#include <functional>
#include <memory>
// Runs the program's statement and the reference statement of one kind on the same
// connection and fails the test, with a readable account, when their rows differ.
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Connection.h"
#include "ResultComparison.h"

namespace tally::testing::equivalence {

using Random = std::mt19937_64;

// The seed every database and selection of this run derives from: TALLY_EQUIVALENCE_SEED
// when it is set (to replay a failure), a fresh one otherwise.
std::uint64_t baseSeed();
// A well-spread seed of its own for case `salt` of a run.
std::uint64_t caseSeed(std::uint64_t base, std::uint64_t salt);

class Equivalence {
public:
    // Runs both statements and compares their rows. `selection` says what the statements
    // were built for; it goes into the failure message with the program's statement.
    // Where the reference fails, the program's statement must fail too; only a reference
    // refused for joining too many tables is counted and not compared.
    void compare(data::Connection& connection, const std::string& kind, const std::string& selection,
                 const std::string& programSql, const std::string& referenceSql, const OrderColumns& order);
    // The same for rows the program puts together itself: `programRows` gives them, and
    // `programText` (its statement) goes into the failure message.
    void compare(data::Connection& connection, const std::string& kind, const std::string& selection,
                 const std::function<std::unique_ptr<data::Recordset>()>& programRows, const std::string& programText,
                 const std::string& referenceSql, const OrderColumns& order);
    // The same for rows both sides put together: `referenceRows` reads the reference's
    // statement and reads its rows as the report always read them.
    void compare(const std::string& kind, const std::string& selection, const std::function<ResultSet()>& programRows,
                 const std::string& programText, const std::function<ResultSet()>& referenceRows,
                 const OrderColumns& order);

    // Each kind was compared at least once on rows holding a value, so the run proved something.
    void expectValuesCompared(const std::vector<std::string>& kinds) const;

    // One line per kind: comparisons, with values, refused by the reference.
    std::string summary() const;

private:
    struct Count {
        int compared = 0;
        int withValues = 0;
        int referenceRefused = 0;
    };
    std::map<std::string, Count> counts_;
    int failures_ = 0;
};

}  // namespace tally::testing::equivalence
