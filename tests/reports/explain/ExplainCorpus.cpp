#include "ExplainCorpus.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "DemoDatabase.h"
#include "DemoSqlite.h"
#include "Equivalence.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"

namespace tally::testing::explain {
namespace {

// Small enough that every cell of every selection is explained within a few seconds.
constexpr int kDatabases = 3;

// Parking invoices copied under a new number into their batch, collected at the same moment:
// the parking report merges each pair into one row.
constexpr int kSharedCollections = 8;

void addSharedCollections(const std::string& path, Random& random) {
    demo::SqliteFile file(path, demo::SqliteFile::Mode::CreateNew);
    std::vector<std::int64_t> sources;
    {
        demo::SqliteStatement list(
            file,
            "SELECT i.rowid FROM 票据 i WHERE i.作废日期 IS NULL AND i.收款日期 IS NOT NULL AND EXISTS (SELECT 1 "
            "FROM 票据开票数据 l JOIN setupsfxm s ON s.dh = l.收费项目代号 WHERE l.票据编号 = i.票据编号 AND "
            "l.入库单编号 = i.入库单编号 AND s.收费类别 LIKE '%停车%') ORDER BY i.rowid");
        while (list.step()) sources.push_back(list.intAt(0));
    }
    if (sources.empty()) return;
    file.exec("BEGIN");
    for (int k = 0; k < kSharedCollections; ++k) {
        const std::int64_t rowid = sources[random() % sources.size()];
        demo::SqliteStatement lines(
            file,
            "INSERT INTO 票据开票数据 (票据编号, 入库单编号, 收费项目代号, 金额, 税额) SELECT i.票据编号 || 'S', "
            "i.入库单编号, l.收费项目代号, l.金额, l.税额 FROM 票据开票数据 l JOIN 票据 i ON l.票据编号 = i.票据编号 "
            "AND l.入库单编号 = i.入库单编号 WHERE i.rowid = ? AND NOT EXISTS (SELECT 1 FROM 票据 c WHERE "
            "c.票据编号 = i.票据编号 || 'S' AND c.入库单编号 = i.入库单编号)");
        lines.insert(rowid);
        demo::SqliteStatement invoice(
            file,
            "INSERT INTO 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期, 金额, 收款方式, "
            "付款人, 地址, 预开, 被换票票据编号, 交易订单号) SELECT i.票据编号 || 'S', i.入库单编号, i.开票部门编号, "
            "i.开票日期, i.收款日期, NULL, i.金额, i.收款方式, i.付款人, i.地址, i.预开, NULL, i.交易订单号 FROM 票据 "
            "i "
            "WHERE i.rowid = ? AND NOT EXISTS (SELECT 1 FROM 票据 c WHERE c.票据编号 = i.票据编号 || 'S' AND "
            "c.入库单编号 = i.入库单编号)");
        invoice.insert(rowid);
    }
    file.exec("COMMIT");
    file.close();
}

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
        addSharedCollections(path, random);
        Corpus corpus{"demo database " + std::to_string(i) + " (generator seed " + std::to_string(options.seed) + ")",
                      path, options.firstYear, options.firstYear + options.years - 1};
        SCOPED_TRACE(corpus.name + " (replay with TALLY_EQUIVALENCE_SEED=" + std::to_string(base) + ")");
        data::SqliteConnection connection(path);
        check(connection, random, corpus);
    }
}

}  // namespace tally::testing::explain
