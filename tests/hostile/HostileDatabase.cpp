#include "HostileDatabase.h"

#include <sqlite3.h>

#include <stdexcept>
#include <tuple>

namespace tally::testing {
namespace {

using namespace std::string_literals;

const Field kNull = std::monostate{};

Field text(const std::string& s) { return s; }

// Cleaned names as the reports build them: without ( ) （ ） %.
std::string cleaned(std::string name) {
    for (std::string removed : {"(", ")", "（", "）", "%"})
        for (auto at = name.find(removed); at != std::string::npos; at = name.find(removed, at))
            name.erase(at, removed.size());
    return name;
}

// The texts and amounts of the three standard invoices.
struct Invoices {
    std::string numberA = "A1", numberB = "B1", numberC = "C1";
    std::string ordinaryBatch = "RP", specialBatch = "RZ", receiptBatch = "RS";
    std::string ordinaryType = "02", specialType = "01", receiptType = "03";
    Field methodA = text("现金"), methodC = text("微信支付");
    Field payerA = text("张三"), addressA = kNull, payerC = text("王五");
    Field parkingAmountA = 109.0, parkingTaxA = 9.0, propertyAmountA = 106.0, propertyTaxA = 6.0;
    Field parkingAmountB = 109.0, parkingTaxB = 9.0;
    Field propertyAmountC = 53.0, propertyTaxC = 3.0;
    Field issuedA = text("2024-03-05 09:00:00"), collectedA = text("2024-03-05 10:00:00");
    Field issuedB = text("2024-03-10 09:00:00");
    Field issuedC = text("2024-03-06 09:00:00"), collectedC = text("2024-03-06 10:00:00");
    std::vector<std::string> methods = {"现金", "微信支付"};
};

}  // namespace

std::vector<HostileVariant> allHostileVariants() {
    return {HostileVariant::Punctuation,    HostileVariant::AwkwardNames,     HostileVariant::NulCharacters,
            HostileVariant::NulFeeItemName, HostileVariant::NullColumns,      HostileVariant::HugeAmounts,
            HostileVariant::CentsOverflow,  HostileVariant::SmallAndNegative, HostileVariant::OddDates,
            HostileVariant::LooseDates,     HostileVariant::ManyFeeItems,     HostileVariant::DashedNumbers,
            HostileVariant::ColumnNames,    HostileVariant::LegacyBytes,      HostileVariant::OddDepartments};
}

std::string variantName(HostileVariant variant) {
    switch (variant) {
    case HostileVariant::Punctuation: return "Punctuation";
    case HostileVariant::AwkwardNames: return "AwkwardNames";
    case HostileVariant::NulCharacters: return "NulCharacters";
    case HostileVariant::NulFeeItemName: return "NulFeeItemName";
    case HostileVariant::NullColumns: return "NullColumns";
    case HostileVariant::HugeAmounts: return "HugeAmounts";
    case HostileVariant::CentsOverflow: return "CentsOverflow";
    case HostileVariant::SmallAndNegative: return "SmallAndNegative";
    case HostileVariant::OddDates: return "OddDates";
    case HostileVariant::OddDepartments: return "OddDepartments";
    case HostileVariant::LooseDates: return "LooseDates";
    case HostileVariant::ManyFeeItems: return "ManyFeeItems";
    case HostileVariant::DashedNumbers: return "DashedNumbers";
    case HostileVariant::ColumnNames: return "ColumnNames";
    case HostileVariant::LegacyBytes: return "LegacyBytes";
    }
    return "unknown";
}

std::string fileBytes(const std::string& path) { return readFile(path); }

void HostileDatabase::insert(const std::string& table, const std::vector<Field>& values) {
    std::string sql = "INSERT INTO \"" + table + "\" VALUES (";
    for (std::size_t i = 0; i < values.size(); ++i) sql += i ? ",?" : "?";
    sql += ")";
    if (!writer_) throw std::runtime_error("the hostile database is filled only while it is built");
    sqlite3* db = writer_;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    for (std::size_t i = 0; rc == SQLITE_OK && i < values.size(); ++i) {
        const int at = static_cast<int>(i + 1);
        const Field& v = values[i];
        if (auto* n = std::get_if<std::int64_t>(&v)) rc = sqlite3_bind_int64(stmt, at, *n);
        else if (auto* d = std::get_if<double>(&v)) rc = sqlite3_bind_double(stmt, at, *d);
        else if (auto* s = std::get_if<std::string>(&v))
            rc = sqlite3_bind_text(stmt, at, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
        else rc = sqlite3_bind_null(stmt, at);
    }
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
    std::string message = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) throw std::runtime_error("insert into " + table + " failed: " + message);
}

void HostileDatabase::addOffice() {
    insert("职能部门new", {text(profile_.departmentCode), text("一部"), kNull});
    insert("设置管理处", {text(profile_.officeCode), text(profile_.officeName), text(profile_.departmentCode)});
}

void HostileDatabase::addTypes(const std::pair<std::string, std::string>& special,
                               const std::pair<std::string, std::string>& ordinary,
                               const std::pair<std::string, std::string>& receipt) {
    insert("票据类型", {text(special.first), text("增值税专用发票"), std::int64_t{0}});
    insert("票据类型", {text(ordinary.first), text("增值税普通发票"), std::int64_t{0}});
    insert("票据类型", {text(receipt.first), text("收据"), std::int64_t{0}});
    for (const auto* type : {&special, &ordinary, &receipt})
        insert("票据入库单", {text(type->second), text(type->first)});
}

void HostileDatabase::addItems(std::optional<double> parkingRate, std::optional<double> propertyRate) {
    auto rate = [](std::optional<double> r) -> Field { return r ? Field(*r) : kNull; };
    insert("setupsfxm",
           {text(profile_.parkingCode), text(profile_.parkingName), rate(parkingRate), text("停车收费"), text("停车")});
    insert("setupsfxm",
           {text(profile_.propertyCode), text(profile_.propertyName), rate(propertyRate), text("物业"), text("物业")});
    insert("税控盘收费项目设置", {text(profile_.parkingCode), rate(parkingRate), text(profile_.officeCode)});
    insert("税控盘收费项目设置", {text(profile_.propertyCode), rate(propertyRate), text(profile_.officeCode)});
}

HostileDatabase::~HostileDatabase() { closeWriter(); }

void HostileDatabase::closeWriter() {
    sqlite3_close(writer_);
    writer_ = nullptr;
}

HostileDatabase::HostileDatabase(HostileVariant variant) : variant_(variant) {
    if (sqlite3_open(path().c_str(), &writer_) != SQLITE_OK ||
        sqlite3_exec(writer_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        closeWriter();
        throw std::runtime_error("cannot open " + path());
    }
    HostileProfile& p = profile_;
    p = {"01", "GL01", "翠湖管理处", "P01", "停车费", "W01", "物业费", {}};
    Invoices inv;
    std::optional<double> parkingRate = 0.09, propertyRate = 0.06;

    switch (variant) {
    case HostileVariant::Punctuation:
        p.departmentCode = "D'HX --1";
        p.officeCode = "G]HX'1;";
        p.officeName = "翠湖'HX]管理处 -- /*";
        p.parkingCode = "P'HX]1 --";
        p.parkingName = "停车'HX]费 [x] -- ; /* */ 末";
        p.propertyCode = "W;HX/*1*/";
        p.propertyName = "物业 费'HX;--";
        inv.numberA = "A'HX1 --";
        inv.numberB = "B]HX1";
        inv.numberC = "C;HX/*1";
        inv.ordinaryBatch = "RP'HX";
        inv.specialBatch = "RZ]HX";
        inv.receiptBatch = "RS--HX";
        inv.specialType = "Z'HX1 --";
        inv.ordinaryType = "P]HX;";
        inv.receiptType = "S/*HX";
        inv.methodA = text("现金'HX --");
        inv.methodC = text("微信[支付]HX");
        inv.methods = {"现金'HX --", "微信[支付]HX"};
        inv.payerA = text("张'HX三\r\n--");
        inv.addressA = text("3号楼;HX/*");
        break;
    case HostileVariant::AwkwardNames: {
        std::string longName = "停车HX";
        while (longName.size() < 200) longName += "x";
        p.parkingName = longName;
        p.propertyName = "物业\r\nHX管理\n费";
        break;
    }
    case HostileVariant::NulCharacters:
        p.officeName = "翠湖\0HX管理处"s;
        inv.numberA = "A\0HX1"s;
        inv.methodA = text("现金\0HX"s);
        inv.methods = {"现金\0HX"s, "微信支付"};
        inv.payerA = text("张\0HX三"s);
        inv.addressA = text("3号楼\0HX\x01\x1B"s);
        inv.payerC = text("王\x01HX五\x1B\x7F\t");
        break;
    case HostileVariant::NulFeeItemName: p.parkingName = "停车\0HX费"s; break;
    case HostileVariant::NullColumns:
        parkingRate = std::nullopt;
        propertyRate = std::nullopt;
        inv.methodA = kNull;
        inv.payerA = kNull;
        inv.parkingTaxA = kNull;
        inv.propertyTaxC = kNull;
        break;
    case HostileVariant::HugeAmounts:
        inv.parkingAmountA = 1e15;
        inv.parkingTaxA = 0.0;
        inv.propertyAmountA = 9.99e17;
        inv.propertyTaxA = 0.0;
        break;
    case HostileVariant::CentsOverflow:
        // 9e16 is 9e18 cents, just inside a 64-bit integer; two of them are not.
        inv.propertyAmountA = 9e16;
        inv.propertyTaxA = 0.0;
        inv.propertyAmountC = 9e16;
        inv.propertyTaxC = 0.0;
        break;
    case HostileVariant::SmallAndNegative:
        inv.parkingAmountA = -109.0;
        inv.parkingTaxA = -9.0;
        inv.propertyAmountA = 2.675;
        inv.propertyTaxA = 0.0;
        inv.propertyAmountC = 0.005;
        inv.propertyTaxC = 0.0;
        break;
    case HostileVariant::OddDates:
        inv.issuedA = std::int64_t{20240305};
        inv.collectedC = text("not a date HX");
        break;
    case HostileVariant::LooseDates:
        inv.issuedA = text("2024-03-05T09:00:00");
        inv.collectedA = text("2024-03-05 10:00");
        inv.issuedB = text("2024-03-10 09:00:00.123");
        inv.issuedC = text("2024-03-06 at nine HX");
        inv.collectedC = text("2024-03-06");
        break;
    case HostileVariant::ManyFeeItems: break;
    case HostileVariant::LegacyBytes:
        // 费 and 张 in GBK, a lone continuation byte, a cut three-byte character
        p.officeName = "翠湖\xB9\xDCHX";
        p.propertyName = "物业\xB7\xD1HX";
        inv.payerA = text("\xD5\xC5HX\x80");
        inv.methodA = text("现金\xE7\x8EHX");
        inv.methods = {"现金\xE7\x8EHX", "微信支付"};
        break;
    case HostileVariant::ColumnNames:
        p.parkingName = "S税率";
        p.propertyName = "专用发票";
        break;
    case HostileVariant::DashedNumbers:
        inv.numberA = "A - HX1";
        inv.numberB = "B - HX";
        break;
    case HostileVariant::OddDepartments:
        p.departmentCode = "D HX 1";
        p.officeCode = "【HX】";
        p.officeName = "";
        break;
    }
    {
        for (const auto& v : {p.departmentCode, p.officeCode, p.parkingCode, p.propertyCode, cleaned(p.parkingName),
                              cleaned(p.propertyName), inv.specialType, inv.ordinaryType, inv.receiptType})
            if (v.find(kHostileMarker) != std::string::npos) p.statementValues.push_back(v);
    }

    addOffice();
    addTypes({inv.specialType, inv.specialBatch}, {inv.ordinaryType, inv.ordinaryBatch},
             {inv.receiptType, inv.receiptBatch});
    addItems(parkingRate, propertyRate);
    for (const auto& method : inv.methods) insert("收款方式列表", {text(method)});

    // 票据:
    // 票据编号,入库单编号,开票部门编号,开票日期,收款日期,作废日期,金额,收款方式,付款人,地址,预开,被换票票据编号,交易订单号
    const Field dept = text(p.departmentCode);
    auto amount = [](const Field& a, const Field& b) -> Field {
        double sum = 0;
        for (const Field* f : {&a, &b})
            if (auto* d = std::get_if<double>(f)) sum += *d;
        return sum;
    };
    insert("票据", {text(inv.numberA), text(inv.ordinaryBatch), dept, inv.issuedA, inv.collectedA, kNull,
                    amount(inv.parkingAmountA, inv.propertyAmountA), inv.methodA, inv.payerA, inv.addressA,
                    std::int64_t{0}, kNull, kNull});
    insert("票据", {text(inv.numberB), text(inv.specialBatch), dept, inv.issuedB, kNull, kNull,
                    amount(inv.parkingAmountB, kNull), kNull, text("李四"), kNull, std::int64_t{1}, kNull, kNull});
    insert("票据", {text(inv.numberC), text(inv.receiptBatch), dept, inv.issuedC, inv.collectedC, kNull,
                    amount(inv.propertyAmountC, kNull), inv.methodC, inv.payerC, kNull, std::int64_t{0}, kNull, kNull});
    // 票据开票数据: 票据编号,入库单编号,收费项目代号,金额,税额
    insert("票据开票数据",
           {text(inv.numberA), text(inv.ordinaryBatch), text(p.parkingCode), inv.parkingAmountA, inv.parkingTaxA});
    insert("票据开票数据",
           {text(inv.numberA), text(inv.ordinaryBatch), text(p.propertyCode), inv.propertyAmountA, inv.propertyTaxA});
    insert("票据开票数据",
           {text(inv.numberB), text(inv.specialBatch), text(p.parkingCode), inv.parkingAmountB, inv.parkingTaxB});
    insert("票据开票数据",
           {text(inv.numberC), text(inv.receiptBatch), text(p.propertyCode), inv.propertyAmountC, inv.propertyTaxC});

    switch (variant) {
    case HostileVariant::AwkwardNames:
        // Two items whose names clean to the same text, and one whose name cleans to nothing,
        // each on a line of invoice A.
        // The twins are parking items, so the parking report meets them too.
        for (auto [code, name, category] :
             {std::tuple{"S1", "水费（住宅HX）", "停车水电"}, std::tuple{"S2", "水费(住宅HX)", "停车水电"},
              std::tuple{"E1", "()%", "水电"}}) {
            insert("setupsfxm", {text(code), text(name), 0.09, text(category), text(name)});
            insert("税控盘收费项目设置", {text(code), 0.09, text(p.officeCode)});
            insert("票据开票数据", {text(inv.numberA), text(inv.ordinaryBatch), text(code), 10.9, 0.9});
        }
        p.statementValues.push_back("水费住宅HX");
        break;
    case HostileVariant::NullColumns:
        // Rows with Null in the columns the reports join, group, sort and sum on.
        insert("职能部门new", {kNull, kNull, kNull});
        insert("设置管理处", {kNull, kNull, text(p.departmentCode)});
        insert("票据类型", {kNull, kNull, kNull});
        insert("票据类型", {text("04"), kNull, std::int64_t{0}});
        insert("票据类型", {kNull, text("增值税专用发票"), std::int64_t{0}});
        insert("票据入库单", {kNull, kNull});
        insert("票据入库单", {text("RN"), text("04")});
        insert("setupsfxm", {kNull, kNull, kNull, kNull, kNull});
        insert("setupsfxm", {text("N1"), kNull, kNull, kNull, kNull});
        insert("税控盘收费项目设置", {text("N1"), kNull, text(p.officeCode)});
        insert("收款方式列表", {kNull});
        // an invoice without number, one without batch, one without dates, one without amount
        insert("票据", {kNull, text(inv.ordinaryBatch), dept, text("2024-03-07"), text("2024-03-07"), kNull, kNull,
                        kNull, kNull, kNull, kNull, kNull, kNull});
        insert("票据开票数据", {kNull, text(inv.ordinaryBatch), text(p.parkingCode), 21.8, 1.8});
        insert("票据", {text("NB"), kNull, dept, text("2024-03-08"), text("2024-03-08"), kNull, 21.8, kNull, kNull,
                        kNull, kNull, kNull, kNull});
        insert("票据开票数据", {text("NB"), kNull, text(p.parkingCode), 21.8, 1.8});
        insert("票据",
               {text("ND"), text("RN"), dept, kNull, kNull, kNull, kNull, kNull, kNull, kNull, kNull, kNull, kNull});
        insert("票据开票数据", {text("ND"), text("RN"), text(p.propertyCode), 10.0, kNull});
        insert("票据", {text("NA"), text("RN"), dept, text("2024-03-09"), text("2024-03-09"), kNull, kNull, kNull,
                        kNull, kNull, kNull, kNull, kNull});
        insert("票据开票数据", {text("NA"), text("RN"), text("N1"), kNull, kNull});
        insert("票据开票数据", {text("NA"), text("RN"), kNull, kNull, kNull});
        break;
    case HostileVariant::DashedNumbers:
        // a second invoice of A's batch collected at the same moment: the parking report merges them
        insert("票据", {text("A2 - HX"), text(inv.ordinaryBatch), dept, inv.issuedA, inv.collectedA, kNull, 10.9,
                        text("现金"), text("张三"), kNull, std::int64_t{0}, kNull, kNull});
        insert("票据开票数据", {text("A2 - HX"), text(inv.ordinaryBatch), text(p.parkingCode), 10.9, 0.9});
        break;
    case HostileVariant::ManyFeeItems:
        for (int k = 10; k < 80; ++k) {
            const std::string code = "M" + std::to_string(k), name = "杂项" + std::to_string(k);
            insert("setupsfxm", {text(code), text(name), 0.06, text("杂项"), text(name)});
            insert("税控盘收费项目设置", {text(code), 0.06, text(p.officeCode)});
            insert("票据开票数据", {text(inv.numberA), text(inv.ordinaryBatch), text(code), 1.06, 0.06});
        }
        break;
    case HostileVariant::SmallAndNegative:
        // a credit note: its own invoice, collected in the period
        insert("票据", {text("NEG"), text(inv.ordinaryBatch), dept, text("2024-03-12"), text("2024-03-12"), kNull,
                        -53.0, text("现金"), text("赵六"), kNull, std::int64_t{0}, kNull, kNull});
        insert("票据开票数据", {text("NEG"), text(inv.ordinaryBatch), text(p.propertyCode), -53.0, -3.0});
        break;
    case HostileVariant::OddDepartments:
        // a second office of the department, and a department whose office name is all brackets
        insert("设置管理处", {text("GL2HX"), text("【】\r\n【二】HX"), text(p.departmentCode)});
        insert("职能部门new", {text("【】"), text(""), kNull});
        insert("设置管理处", {text(""), text("【"), text("【】")});
        break;
    default: break;
    }
    if (sqlite3_exec(writer_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot write " + path());
    closeWriter();
}

}  // namespace tally::testing
