#include "trains/train_list_text.h"

#include <cstdio>
#include <string>

#include "support/int_math.h"
#include "support/shift_jis.h"
#include "support/sub.h"
#include "trains/train_queries.h"
#include "trains/train_store.h"

namespace tetsuro::Train {

namespace {

constexpr int kNameColumn = 32;

std::string rightAligned4(int64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%4lld", static_cast<long long>(v));
    return buf;
}

}  // namespace

J_String getListRow(int32_t number) {
    char head[8];
    std::snprintf(head, sizeof head, "%03d ", number);
    J_String row(head);
    const int32_t ti = toIndex(number);
    if (ti < 0) {
        row += " --------- ";
    } else if (!isPlaced(ti)) {
        row += SJ(u8"  未配置   ");
    } else {
        const int64_t ms = Sub::m_iMS > 0 ? Sub::m_iMS : 1;
        const int64_t my = floorDiv(int64_t{getRCY(ti, 0)}, ms);
        const int64_t mx = floorDiv(int64_t{getRCX(ti, 0)}, ms);
        row += ("(" + rightAligned4(mx) + "," + rightAligned4(my) + ")").c_str();
    }
    row += " ";
    const J_String name = getName(ti);
    row += name;
    for (size_t n = name.logicalSize(); n < static_cast<size_t>(kNameColumn); ++n) row += " ";
    return row;
}

}  // namespace tetsuro::Train
