// Sizing the items to the parent's width, proportionally, then pixel by pixel.
#include "grid/FlatHeaderCtrl.h"

#include <algorithm>

void CFlatHeaderCtrl::AutoSize(int pivot)
{
    CWnd* parent = GetParent();
    if (!parent || m_bAutoSizing)
        return;
    CRect client;
    parent->GetClientRect(&client);
    int count = GetItemCount();
    if (client.Width() <= 0 || count <= 0)
        return;
    std::vector<int> order(count);
    GetOrderArray(order.data(), count);
    int first = 0;
    int target = client.Width();
    if (pivot >= 0) {
        int pos = (int)(std::find(order.begin(), order.end(), pivot) - order.begin());
        if (pos < count - 1) {
            CRect rc;
            GetItemRect(pivot, &rc);
            first = pos + 1;
            target = client.Width() - rc.right;
        }
    }
    std::vector<int> items(order.begin() + first, order.end()), widths, mins, maxs;
    int sum = 0, sumMin = 0;
    for (int index : items) {
        HDITEM hdi = {HDI_WIDTH};
        GetItem(index, &hdi);
        widths.push_back(hdi.cxy);
        mins.push_back(m_arrayEx[(size_t)index].iMinWidth);
        maxs.push_back(LimitOf(m_arrayEx[(size_t)index].iMaxWidth));
        sum += hdi.cxy;
        sumMin += mins.back();
    }
    target = std::max(target, sumMin);
    for (size_t i = 0; i < items.size(); i++) {
        // Widths of 0 everywhere share the target equally.
        long long share = sum > 0 ? (long long)widths[i] * target / sum : target / (long long)items.size();
        widths[i] = std::max(mins[i], std::min(maxs[i], (int)share));
    }
    CorrectRemainder(widths, mins, maxs, target);
    m_bAutoSizing = TRUE;
    for (size_t i = 0; i < items.size(); i++)
        ApplyWidth(items[i], widths[i]);
    m_bAutoSizing = FALSE;
}

void CFlatHeaderCtrl::CorrectRemainder(std::vector<int>& widths, const std::vector<int>& mins,
                                       const std::vector<int>& maxs, int target)
{
    int sum = 0;
    for (int w : widths)
        sum += w;
    size_t n = widths.size();
    // One full round without a change means the limits allow no closer fit.
    size_t idle = 0;
    for (size_t i = 0; sum != target && idle < n; i = (i + 1) % n) {
        if (sum < target && widths[i] < maxs[i]) {
            widths[i]++;
            sum++;
            idle = 0;
        } else if (sum > target && widths[i] > mins[i]) {
            widths[i]--;
            sum--;
            idle = 0;
        } else {
            idle++;
        }
    }
}
