#include "DemoReferenceData.h"

namespace tally::demo {

namespace {

constexpr FeeItemInfo kFeeItems[] = {
    {"0101", "物业管理费", 600, "物业服务", "物业服务费", 15000, 380000, 1},
    {"0102", "公共能耗费", 600, "物业服务", "公共能耗分摊", 500, 15000, 1},
    {"0201", "水费", 900, "能源费", "自来水费", 1500, 60000, 1},
    {"0202", "电费", 1300, "能源费", "电费", 3000, 150000, 1},
    {"0301", "停车费(月租)", 900, "停车费", "停车服务费", 30000, 60000, 5000},
    {"0302", "停车费(临时)", 900, "停车费", "停车服务费", 500, 12000, 50},
    {"0303", "车位管理费%", 600, "车位停车管理", "车位管理服务费", 6000, 15000, 100},
    {"0401", "垃圾清运费", 600, "物业服务", "垃圾清运服务费", 1000, 8000, 1},
    {"0402", "装修押金", 0, "代收代付", "装修押金", 200000, 500000, 100000},
    {"0403", "维修基金", 0, "代收代付", "专项维修资金", 300000, 2500000, 1},
    {"0501", "房屋租金", 900, "租赁", "不动产租赁", 500000, 8000000, 1},
    {"0601", "滞纳金", 600, "其他收费", "违约金", 100, 20000, 1},
};
static_assert(std::size(kFeeItems) == kFeeItemCount);

constexpr InvoiceTypeInfo kInvoiceTypes[] = {
    {"01", "增值税专用发票", 0, 50, {100001, 8, false}},
    {"02", "增值税普通发票", 0, 100, {1000001, 8, false}},
    {"03", "增值税电子普通发票", 0, 250, {5000001, 8, false}},
    {"04", "电子发票", 0, 500, {1, 12, true}},
    {"05", "收据", 0, 100, {1, 8, false}},
    {"06", "定额发票", 1, 200, {300001, 8, false}},
};
static_assert(std::size(kInvoiceTypes) == kInvoiceTypeCount);

//                                   物业 能耗 水  电 月租 临停 车位 垃圾 押金 维修 租金 滞纳
constexpr std::array<int, kFeeItemCount> kEstateItems{30, 8, 12, 12, 10, 4, 4, 6, 2, 0, 0, 3};
constexpr std::array<int, kFeeItemCount> kEstateWithFundItems{30, 8, 12, 12, 10, 4, 4, 6, 2, 3, 0, 3};
constexpr std::array<int, kFeeItemCount> kOfficeTowerItems{30, 6, 10, 16, 0, 6, 0, 4, 0, 0, 20, 2};
constexpr std::array<int, kFeeItemCount> kCarParkItems{0, 0, 0, 0, 50, 35, 15, 0, 0, 0, 0, 0};
constexpr std::array<int, kFeeItemCount> kOldEstateItems{40, 0, 20, 20, 0, 0, 0, 10, 0, 0, 0, 3};

//                                           专票 普票 电普 电子 收据 定额
constexpr std::array<int, kInvoiceTypeCount> kEstateTypes{5, 35, 25, 8, 24, 3};
constexpr std::array<int, kInvoiceTypeCount> kEstateWithFundTypes{5, 35, 25, 8, 27, 0};
constexpr std::array<int, kInvoiceTypeCount> kOfficeTowerTypes{45, 25, 15, 5, 10, 0};
constexpr std::array<int, kInvoiceTypeCount> kCarParkTypes{0, 20, 35, 20, 15, 10};
constexpr std::array<int, kInvoiceTypeCount> kOldEstateTypes{0, 50, 0, 0, 50, 0};

// Codes of different lengths on purpose: the department list sorts by length first.
constexpr DepartmentInfo kDepartments[] = {
    {"01", "物业一部", false, 30, PayerStyle::Resident, "翠湖花园", kEstateItems, kEstateTypes},
    {"02", "物业二部", false, 28, PayerStyle::Resident, "锦绣华庭", kEstateWithFundItems, kEstateWithFundTypes},
    {"101", "商业管理部", false, 17, PayerStyle::Company, "金融港大厦", kOfficeTowerItems, kOfficeTowerTypes},
    {"11", "停车场管理中心", false, 20, PayerStyle::Parking, "滨江停车场", kCarParkItems, kCarParkTypes},
    {"03", "物业三部", true, 5, PayerStyle::Resident, "旧城花园", kOldEstateItems, kOldEstateTypes},
};

constexpr OfficeInfo kOffices[] = {
    {"GL01", "翠湖花园管理处", "01"},    {"GL02", "锦绣华庭管理处", "02"},   {"GL03", "锦绣华庭\r\n商业街管理处", "02"},
    {"GL11", "金融港大厦管理处", "101"}, {"GL12", "滨江停车场管理处", "11"}, {"GL04", "旧城花园管理处", "03"},
};

constexpr MissingTaxControlRate kMissingRates[] = {
    {"GL01", kRenovationDeposit},
    {"GL03", kLateFee},
    {"GL11", kSharedEnergyFee},
};

// What generated fee items are made from: an office that bills by zone has one item per
// zone and kind of fee. Every usual rate is there, and one kind in ten is a parking fee.
struct FeeItemKind {
    std::string_view name;
    int rateBasisPoints;
    std::string_view category;
    std::string_view displayName;
    std::int64_t minCents;
    std::int64_t maxCents;
    std::int64_t stepCents;
};

constexpr FeeItemKind kGeneratedKinds[] = {
    {"物业管理费", 600, "物业服务", "物业服务费", 15000, 380000, 1},
    {"电梯运行费", 600, "物业服务", "物业服务费", 2000, 30000, 1},
    {"二次供水费", 900, "能源费", "自来水费", 1000, 20000, 1},
    {"电费", 1300, "能源费", "电费", 3000, 150000, 1},
    {"月租停车费", 900, "停车费", "停车服务费", 30000, 60000, 5000},
    {"中央空调费", 1300, "能源费", "空调能耗费", 5000, 200000, 1},
    {"垃圾清运费", 600, "物业服务", "垃圾清运服务费", 1000, 8000, 1},
    {"代收燃气费", 0, "代收代付", "燃气费", 2000, 40000, 1},
    {"场地租金", 900, "租赁", "不动产租赁", 50000, 800000, 1},
    {"广告位使用费", 600, "其他收费", "广告服务费", 10000, 300000, 1},
};

constexpr std::string_view kListedMethods[] = {"现金", "微信支付", "支付宝", "银行转账", "POS刷卡"};

constexpr PaymentChoice kPaymentChoices[] = {
    {"现金", 28, false},  {"微信支付", 25, true},  {"微信", 5, true},
    {"支付宝", 14, true}, {"银行转账", 14, false}, {"POS刷卡", 11, false},
};

}  // namespace

std::span<const FeeItemInfo> feeItems() { return kFeeItems; }
std::span<const InvoiceTypeInfo> invoiceTypes() { return kInvoiceTypes; }
std::span<const DepartmentInfo> departments() { return kDepartments; }
std::span<const OfficeInfo> offices() { return kOffices; }
std::span<const MissingTaxControlRate> missingTaxControlRates() { return kMissingRates; }
std::span<const std::string_view> listedPaymentMethods() { return kListedMethods; }
std::span<const PaymentChoice> paymentChoices() { return kPaymentChoices; }

std::size_t departmentIndexOf(std::string_view code) {
    for (std::size_t i = 0; i < std::size(kDepartments); ++i) {
        if (kDepartments[i].code == code) return i;
    }
    return std::size(kDepartments);
}

FeeItemSet::FeeItemSet(int count) : items_(std::begin(kFeeItems), std::end(kFeeItems)), extended_(count != 0) {
    const std::size_t generated = count > kFeeItemCount ? static_cast<std::size_t>(count - kFeeItemCount) : 0;
    items_.reserve(items_.size() + generated);
    constexpr std::size_t kinds = std::size(kGeneratedKinds);
    for (std::size_t g = 0; g < generated; ++g) {
        const FeeItemKind& kind = kGeneratedKinds[g % kinds];
        // Codes after the built-in ones; a zone suffix keeps the names (and their cleaned
        // forms, which the reports use as column names) apart.
        const std::string& code = texts_.emplace_back(std::to_string(7001 + g));
        const std::string& name =
            texts_.emplace_back(std::string(kind.name) + "(" + std::to_string(g / kinds + 1) + "区)");
        items_.push_back({code, name, kind.rateBasisPoints, kind.category, kind.displayName, kind.minCents,
                          kind.maxCents, kind.stepCents});
    }
}

bool FeeItemSet::usedBy(const DepartmentInfo& department, std::size_t item) const {
    if (item < static_cast<std::size_t>(kFeeItemCount) && (!extended_ || item == kMaintenanceFund))
        return department.itemWeights[item] > 0;
    return extended_ && item < items_.size();
}

std::vector<int> FeeItemSet::itemsOf(const DepartmentInfo& department) const {
    std::vector<int> used;
    for (std::size_t item = 0; item < items_.size(); ++item)
        if (usedBy(department, item)) used.push_back(static_cast<int>(item));
    return used;
}

}  // namespace tally::demo
