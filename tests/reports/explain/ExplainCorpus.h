#pragma once
// A few small generated databases, each holding the invoices that bend the statements,
// for the drill-down tests: the same generator and selections as the equivalence test,
// fewer and smaller files, and a few parking invoices collected together with a copy of
// themselves in their batch (rows the parking report merges).
#include <functional>

#include "Connection.h"
#include "EquivalenceCorpus.h"

namespace tally::testing::explain {

using equivalence::Corpus;
using equivalence::Random;

using ExplainCheck = std::function<void(data::Connection&, Random&, const Corpus&)>;

// Runs `check` on each database through a read-only connection; the run's seed is printed
// and TALLY_EQUIVALENCE_SEED replays it.
void forSmallDemoDatabases(const ExplainCheck& check);

}  // namespace tally::testing::explain
