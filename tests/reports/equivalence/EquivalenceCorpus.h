#pragma once
// The databases the equivalence test runs over: demo files of random size, years and seed,
// each made to hold the invoices that bend the statements (numbers reused across batches,
// voided, exchange, pre-issued, lines without tax), and every hostile variant.
#include <functional>
#include <string>
#include <vector>

#include "Connection.h"
#include "Equivalence.h"

namespace tally::testing::equivalence {

struct Corpus {
    std::string name;  // what the failure message calls it, with its seed
    std::string path;
    int firstYear = 0;  // the years its invoices are issued in
    int lastYear = 0;
    int busyMonth = 0;  // the month of firstYear most invoices fall in; 0 when they spread over the years
};

using CorpusCheck = std::function<void(Equivalence&, data::Connection&, Random&, const Corpus&)>;

// Generates the demo databases into a scratch folder and runs `check` on each through a
// read-only connection, then expects every kind in `kinds` compared on values.
void checkDemoDatabases(const std::vector<std::string>& kinds, const CorpusCheck& check);
// The same over every hostile variant (March 2024 invoices).
void checkHostileDatabases(const std::vector<std::string>& kinds, const CorpusCheck& check);

// What addRareInvoices found missing and added, by name ("reused number", ...).
std::vector<std::string> addRareInvoices(const std::string& path, Random& random);

}  // namespace tally::testing::equivalence
