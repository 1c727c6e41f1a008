#include "DemoDatabase.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "DemoInvoicePlan.h"
#include "DemoNumbering.h"
#include "DemoReferenceData.h"
#include "DemoSqlite.h"
#include "DemoTableWriter.h"
#include "EmbeddedSql.h"
#include "Utf8Path.h"

namespace tally::demo {

namespace fs = std::filesystem;

namespace {

// Removes the half-written file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const fs::path& path() const { return path_; }
    void moveTo(const fs::path& target) {
        std::error_code error;
        fs::rename(path_, target, error);
        if (error)
            throw DemoError("cannot rename " + path_.string() + " to " + target.string() + ": " + error.message());
        path_.clear();
    }

private:
    fs::path path_;
};

fs::path temporarySibling(const fs::path& target) {
    // A random suffix keeps two generators writing the same target from sharing a file; the
    // content itself depends only on the options.
    std::random_device entropy;
    const auto tag = (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
    fs::path temporary = target;
    temporary += ".tmp-" + std::to_string(tag);
    return temporary;
}

}  // namespace

void validateDemoOptions(const DemoOptions& options) {
    if (options.invoicesPerYear < 1) throw DemoError("the number of invoices per year must be at least 1");
    if (options.years < 1) throw DemoError("the number of years must be at least 1");
    if (options.firstYear < 1000 || options.firstYear > 9999) throw DemoError("the first year must have four digits");
    if (options.years > 9999 - options.firstYear + 1) throw DemoError("the last year covered must not pass 9999");
    if (options.feeItems != 0 && (options.feeItems < kFeeItemCount || options.feeItems > kMaxFeeItems))
        throw DemoError("the number of fee items must be from " + std::to_string(kFeeItemCount) + " to " +
                        std::to_string(kMaxFeeItems));
}

DemoSummary generateDemoDatabase(const std::string& path, const DemoOptions& options) {
    validateDemoOptions(options);
    if (path.empty()) throw DemoError("no output file given");
    const fs::path target = utf8Path(path);
    if (fs::is_directory(target)) throw DemoError(path + " is a folder");
    const fs::path folder = target.parent_path();
    if (!folder.empty() && !fs::is_directory(folder))
        throw DemoError("the folder " + folder.string() + " does not exist");

    const FeeItemSet items(options.feeItems);
    DemoRandom random(options.seed);
    InvoicePlan plan = planInvoices(options, random);
    assignNumbers(plan, random);
    if (items.extended()) {
        // A stream of its own: the invoices stay those the seed gives without more items.
        DemoRandom spreading(options.seed ^ 0x9e3779b97f4a7c15ull);
        spreadLinesOverItems(plan, items, spreading);
    }

    TemporaryFile temporary(temporarySibling(target));
    {
        SqliteFile file(temporary.path().string(), SqliteFile::Mode::CreateNew);
        // Nothing to protect while building: a failed build is thrown away as a whole.
        file.exec(
            "PRAGMA encoding='UTF-8'; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;");
        file.exec(kSchemaSql);
        file.exec("BEGIN");
        writeReferenceTables(file, options.firstYear, items);
        writeInvoices(file, plan, items);
        file.exec("COMMIT");
        file.exec(kIndexesSql);
        file.exec("ANALYZE");
        file.close();
    }
    temporary.moveTo(target);

    DemoSummary summary;
    summary.invoices = static_cast<std::int64_t>(plan.invoices.size());
    summary.lines = static_cast<std::int64_t>(plan.lines.size());
    summary.batches = static_cast<std::int64_t>(plan.batches.size());
    return summary;
}

}  // namespace tally::demo
