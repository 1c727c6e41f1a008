#include "DemoPayers.h"

#include <string_view>

namespace tally::demo {

namespace {

constexpr std::string_view kCrLf = "\r\n";

constexpr std::string_view kSurnames[] = {
    "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙",   "马",   "朱", "胡", "郭",
    "何", "高", "林", "罗", "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯",   "邓",   "曹", "彭", "曾",
    "肖", "田", "董", "袁", "潘", "蒋", "蔡", "余", "杜", "叶", "程", "苏",   "魏",   "吕", "丁", "沈",
    "姚", "卢", "钟", "谭", "陆", "汪", "范", "金", "廖", "夏", "方", "欧阳", "司马",
};

constexpr std::string_view kGivenNameChars[] = {
    "伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛", "明",
    "超", "霞", "平", "刚", "英", "华", "玲", "斌", "辉", "鹏", "宇", "婷", "雪", "琳", "浩", "凯",
    "建", "国", "志", "文", "秀", "晓", "海", "燕", "红", "梅", "丹", "俊", "峰", "欣", "怡", "子",
};

constexpr std::string_view kCities[] = {"深圳市", "广州市", "东莞市", "佛山市"};
constexpr std::string_view kBrandWords[] = {
    "星河", "华信", "瑞丰", "金桥", "博远", "鼎盛", "海纳", "宏图", "新锐", "恒泰", "联创", "佳和", "启明", "万象",
};
constexpr std::string_view kTrades[] = {
    "科技", "贸易", "餐饮管理", "文化传媒", "企业管理咨询", "电子", "建筑装饰", "投资", "物流", "教育科技",
};
constexpr std::string_view kPlateLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::string_view kPlateDigits = "0123456789";

template <std::size_t N>
std::string_view pick(DemoRandom& random, const std::string_view (&options)[N]) {
    return options[random.below(N)];
}

std::string number(std::int64_t value) { return std::to_string(value); }

std::string twoDigits(std::int64_t value) { return value < 10 ? "0" + std::to_string(value) : std::to_string(value); }

std::string personName(DemoRandom& random) {
    std::string name(pick(random, kSurnames));
    const int chars = random.chance(7, 10) ? 2 : 1;
    for (int i = 0; i < chars; ++i) name += pick(random, kGivenNameChars);
    return name;
}

std::string companyName(DemoRandom& random) {
    std::string name(pick(random, kCities));
    name += pick(random, kBrandWords);
    name += pick(random, kTrades);
    name += "有限公司";
    return name;
}

std::string plateNumber(DemoRandom& random) {
    std::string plate = "粤";
    plate += kPlateLetters[random.below(6)];
    for (int i = 0; i < 5; ++i) {
        const bool letter = i == 0 && random.chance(1, 3);
        plate += letter ? kPlateLetters[random.below(kPlateLetters.size())] : kPlateDigits[random.below(10)];
    }
    return plate;
}

std::string residentAddress(DemoRandom& random, std::string_view estate) {
    const auto building = random.between(1, 28);
    const auto unit = random.between(1, 4);
    const auto floor = random.between(1, 32);
    const auto room = random.between(1, 4);
    // Addresses copied from contracts sometimes keep their line break.
    const std::string_view joint = random.chance(1, 60) ? kCrLf : std::string_view{};
    return std::string(estate) + number(building) + "栋" + std::string(joint) + number(unit) + "单元" + number(floor) +
           twoDigits(room);
}

std::string towerAddress(DemoRandom& random, std::string_view estate) {
    const char wing = static_cast<char>('A' + random.below(3));
    return std::string(estate) + wing + "座" + number(random.between(2, 45)) + twoDigits(random.between(1, 20)) + "室";
}

std::string parkingAddress(DemoRandom& random, std::string_view estate) {
    if (random.chance(1, 2)) return "车牌" + plateNumber(random);
    return std::string(estate) + "B" + number(random.between(1, 3)) + "-" + number(random.between(1, 480)) + "车位";
}

}  // namespace

Payer makePayer(DemoRandom& random, const DepartmentInfo& department) {
    Payer payer;
    switch (department.payerStyle) {
    case PayerStyle::Resident:
        payer.name = random.chance(1, 12) ? companyName(random) : personName(random);
        if (random.chance(1, 40)) payer.name += std::string(kCrLf) + personName(random);  // joint owners, one per line
        payer.address = residentAddress(random, department.estate);
        break;
    case PayerStyle::Company:
        payer.name = companyName(random);
        if (random.chance(1, 50)) payer.name += std::string(kCrLf) + "财务部";
        payer.address = towerAddress(random, department.estate);
        break;
    case PayerStyle::Parking:
        payer.name = personName(random);
        if (random.chance(1, 80)) payer.name += std::string(kCrLf) + plateNumber(random);
        payer.address = parkingAddress(random, department.estate);
        break;
    }
    if (random.chance(1, 16)) payer.address.reset();
    return payer;
}

std::string makeTransactionNumber(DemoRandom& random, std::string_view method, std::string_view issueDate) {
    // WeChat numbers start with 4200, Alipay's with the date; both run to 28 digits.
    std::string digits;
    for (char c : issueDate) {
        if (c >= '0' && c <= '9') digits += c;
    }
    std::string result = method == "支付宝" ? digits + "2200" : "4200" + digits;
    while (result.size() < 28) result += static_cast<char>('0' + random.below(10));
    return result;
}

}  // namespace tally::demo
