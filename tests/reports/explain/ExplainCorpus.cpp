#include "ExplainCorpus.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "DemoDatabase.h"
#include "Equivalence.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"

namespace tally::testing::explain {
namespace {

// Small enough that every cell of every selection is explained within a few seconds.
constexpr int kDatabases = 3;

}  // namespace

void forSmallDemoDatabases(const ExplainCheck& check) {
    const std::uint64_t base = equivalence::baseSeed();
    std::printf("drill-down seed %llu\n", static_cast<unsigned long long>(base));
    ScratchFolder folder;
    for (int i = 0; i < kDatabases; ++i) {
        const std::uint64_t seed = equivalence::caseSeed(base, static_cast<std::uint64_t>(100 + i));
        Random random(seed);
        demo::DemoOptions options;
        options.seed = random() % 1000000;
        options.invoicesPerYear = 150 + static_cast<std::int64_t>(random() % 250);
        options.years = 1 + static_cast<int>(random() % 2);
        options.firstYear = 2000 + static_cast<int>(random() % 30);
        const std::string path = (folder / ("explain-" + std::to_string(i) + ".sqlite")).string();
        demo::generateDemoDatabase(path, options);
        equivalence::addRareInvoices(path, random);
        Corpus corpus{"demo database " + std::to_string(i) + " (generator seed " + std::to_string(options.seed) + ")",
                      path, options.firstYear, options.firstYear + options.years - 1};
        SCOPED_TRACE(corpus.name + " (replay with TALLY_EQUIVALENCE_SEED=" + std::to_string(base) + ")");
        data::SqliteConnection connection(path);
        check(connection, random, corpus);
    }
}

}  // namespace tally::testing::explain
