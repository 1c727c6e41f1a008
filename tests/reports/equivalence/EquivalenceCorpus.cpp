#include "EquivalenceCorpus.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "DemoDatabase.h"
#include "DemoSqlite.h"
#include "HostileDatabase.h"
#include "ScratchFolder.h"
#include "SqliteConnection.h"

namespace tally::testing::equivalence {
namespace {

// Enough files to meet every size and year layout a few times within the time the test may take.
constexpr int kDemoDatabases = 14;

// Copies one invoice with its lines; each text is an expression over the source invoice `i`
// (and, for the lines, the source line `l`), so only the changed columns differ.
struct InvoiceCopy {
    std::string number = "i.票据编号";
    std::string batch = "i.入库单编号";
    std::string collected = "i.收款日期";
    std::string voided = "i.作废日期";
    std::string preIssued = "i.预开";
    std::string exchanged = "i.被换票票据编号";
    std::string amountFactor = "1";
    std::string tax = "l.税额";
};

void copyInvoice(demo::SqliteFile& file, std::int64_t rowid, const InvoiceCopy& copy) {
    // The lines first: they are found through the source invoice's number and batch.
    demo::SqliteStatement lines(
        file, "INSERT INTO 票据开票数据 (票据编号, 入库单编号, 收费项目代号, 金额, 税额) SELECT " + copy.number + ", " +
                  copy.batch + ", l.收费项目代号, l.金额 * " + copy.amountFactor + ", " + copy.tax + " * " +
                  copy.amountFactor +
                  " FROM 票据开票数据 l JOIN 票据 i ON l.票据编号 = i.票据编号 AND l.入库单编号 = i.入库单编号"
                  " WHERE i.rowid = ?");
    lines.insert(rowid);
    demo::SqliteStatement invoice(
        file,
        "INSERT INTO 票据 (票据编号, 入库单编号, 开票部门编号, 开票日期, 收款日期, 作废日期, 金额, 收款方式, "
        "付款人, 地址, 预开, 被换票票据编号, 交易订单号) SELECT " +
            copy.number + ", " + copy.batch + ", i.开票部门编号, i.开票日期, " + copy.collected + ", " + copy.voided +
            ", i.金额 * " + copy.amountFactor + ", i.收款方式, i.付款人, i.地址, " + copy.preIssued + ", " +
            copy.exchanged + ", i.交易订单号 FROM 票据 i WHERE i.rowid = ?");
    invoice.insert(rowid);
}

std::int64_t count(demo::SqliteFile& file, const std::string& sql) {
    demo::SqliteStatement statement(file, sql);
    return statement.step() ? statement.intAt(0) : 0;
}

struct RareKind {
    const char* name;
    const char* countSql;
};

const RareKind kRareKinds[] = {
    {"reused number",
     "SELECT count(*) FROM (SELECT 票据编号 FROM 票据 GROUP BY 票据编号 "
     "HAVING count(DISTINCT 入库单编号) > 1)"},
    {"voided", "SELECT count(*) FROM 票据 WHERE 作废日期 IS NOT NULL"},
    {"exchange", "SELECT count(*) FROM 票据 WHERE 被换票票据编号 IS NOT NULL"},
    {"pre-issued", "SELECT count(*) FROM 票据 WHERE 预开 = 1"},
    {"Null tax", "SELECT count(*) FROM 票据开票数据 WHERE 税额 IS NULL"},
};

std::string yearsOf(const demo::DemoOptions& o) {
    return std::to_string(o.years) + (o.years == 1 ? " year" : " years") + " from " + std::to_string(o.firstYear);
}

void runOn(Equivalence& equivalence, const Corpus& corpus, std::uint64_t base, std::uint64_t seed,
           const CorpusCheck& check) {
    SCOPED_TRACE(corpus.name + ", case seed " + std::to_string(seed) +
                 " (replay the run with TALLY_EQUIVALENCE_SEED=" + std::to_string(base) + ")");
    data::SqliteConnection connection(corpus.path);
    Random random(seed);
    check(equivalence, connection, random, corpus);
}

}  // namespace

std::vector<std::string> addRareInvoices(const std::string& path, Random& random) {
    demo::SqliteFile file(path, demo::SqliteFile::Mode::CreateNew);
    std::vector<std::int64_t> sources;
    {
        demo::SqliteStatement list(
            file,
            "SELECT i.rowid FROM 票据 i WHERE i.作废日期 IS NULL AND i.被换票票据编号 IS NULL AND i.收款日期 IS NOT "
            "NULL"
            " AND EXISTS (SELECT 1 FROM 票据开票数据 l WHERE l.票据编号 = i.票据编号 AND l.入库单编号 = i.入库单编号)"
            " ORDER BY i.rowid");
        while (list.step()) sources.push_back(list.intAt(0));
    }
    std::vector<std::string> added;
    if (sources.empty()) return added;
    file.exec("BEGIN");
    for (const RareKind& kind : kRareKinds) {
        if (count(file, kind.countSql) > 0) continue;
        const std::int64_t rowid = sources[random() % sources.size()];
        const std::string tag = "'-EQ" + std::to_string(rowid) + "'";
        InvoiceCopy copy;
        const std::string name = kind.name;
        if (name == "reused number") {
            // The same number in a new batch of the same type: issued and collected alike, other amounts.
            copy.batch = "i.入库单编号 || " + tag;
            copy.amountFactor = "2";
            demo::SqliteStatement batch(
                file, "INSERT INTO 票据入库单 (入库单编号, 票据类型编号) SELECT b.入库单编号 || " + tag +
                          ", b.票据类型编号 FROM 票据入库单 b JOIN 票据 i ON b.入库单编号 = "
                          "i.入库单编号 WHERE i.rowid = ?");
            batch.insert(rowid);
        } else if (name == "voided") {
            copy.number = "i.票据编号 || " + tag + " || 'V'";
            copy.voided = "i.开票日期";
        } else if (name == "exchange") {
            copy.number = "i.票据编号 || " + tag + " || 'X'";
            copy.exchanged = "i.票据编号";
        } else if (name == "pre-issued") {
            copy.number = "i.票据编号 || " + tag + " || 'P'";
            copy.preIssued = "1";
            copy.collected = "NULL";
        } else {
            copy.number = "i.票据编号 || " + tag + " || 'T'";
            copy.tax = "NULL";
        }
        copyInvoice(file, rowid, copy);
        added.push_back(name);
    }
    file.exec("COMMIT");
    file.close();
    return added;
}

void checkDemoDatabases(const std::vector<std::string>& kinds, const CorpusCheck& check) {
    const std::uint64_t base = baseSeed();
    std::printf("equivalence seed %llu\n", static_cast<unsigned long long>(base));
    ScratchFolder folder;
    Equivalence equivalence;
    for (int i = 0; i < kDemoDatabases; ++i) {
        const std::uint64_t seed = caseSeed(base, static_cast<std::uint64_t>(i));
        Random random(seed);
        demo::DemoOptions options;
        options.seed = random() % 1000000;
        options.invoicesPerYear = 200 + static_cast<std::int64_t>(random() % 1801);
        options.years = 1 + static_cast<int>(random() % 4);
        options.firstYear = 2000 + static_cast<int>(random() % 30);
        const std::string path = (folder / ("demo-" + std::to_string(i) + ".sqlite")).string();
        demo::generateDemoDatabase(path, options);
        const std::vector<std::string> added = addRareInvoices(path, random);

        Corpus corpus{"demo database " + std::to_string(i) + " (generator seed " + std::to_string(options.seed) + ", " +
                          std::to_string(options.invoicesPerYear) + " invoices a year, " + yearsOf(options) + ")",
                      path, options.firstYear, options.firstYear + options.years - 1};
        for (const auto& name : added) corpus.name += ", " + name + " added";
        {
            demo::SqliteFile file(path, demo::SqliteFile::Mode::ReadOnly);
            for (const RareKind& kind : kRareKinds)
                EXPECT_GT(count(file, kind.countSql), 0) << corpus.name << " holds no " << kind.name << " invoice";
        }
        runOn(equivalence, corpus, base, seed, check);
    }
    std::printf("%s", equivalence.summary().c_str());
    equivalence.expectValuesCompared(kinds);
}

void checkHostileDatabases(const std::vector<std::string>& kinds, const CorpusCheck& check) {
    const std::uint64_t base = baseSeed();
    std::printf("equivalence seed %llu\n", static_cast<unsigned long long>(base));
    Equivalence equivalence;
    std::uint64_t salt = 1000;
    for (HostileVariant variant : allHostileVariants()) {
        HostileDatabase database(variant);
        const Corpus corpus{"hostile database " + variantName(variant), database.path(), 2024, 2024, 3};
        runOn(equivalence, corpus, base, caseSeed(base, salt++), check);
    }
    std::printf("%s", equivalence.summary().c_str());
    equivalence.expectValuesCompared(kinds);
}

}  // namespace tally::testing::equivalence
