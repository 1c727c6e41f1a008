// The page-number box: any text, any page count (0 for an empty result, up to the
// largest int). A page it gives is always one that exists.
#include <climits>
#include <string>

#include "FuzzCheck.h"
#include "Paging.h"

using tally::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tally::fuzz::InputReader in(data, size);
    int pageCount;
    switch (in.byte() % 6) {
    case 0: pageCount = 0; break;
    case 1: pageCount = 1; break;
    case 2: pageCount = INT_MAX; break;
    case 3: pageCount = int(in.byte()); break;
    case 4: pageCount = int(in.u32() & 0x7fffffff); break;
    default: pageCount = int(in.u32()); break;  // negative too
    }
    std::string text = in.rest();
    std::string detail = text + " of " + std::to_string(pageCount);

    auto page = tally::reports::pageFromBox(text, pageCount);
    if (page) check(*page >= 1 && *page <= pageCount, "the page exists", detail + " => " + std::to_string(*page));

    // A plain page number that exists is taken as it is.
    bool digits = !text.empty() && text.size() <= 9;
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    if (digits) {
        long n = std::stol(text);
        if (n >= 1 && n <= pageCount) check(page && *page == n, "an existing page number is that page", detail);
        else check(!page, "a page number outside 1..count is refused", detail);
    }
    return 0;
}
