#include "fake_controls.h"

#include <algorithm>

namespace tolvane::fakes {

int FakeListBox::selectedCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                          [](const Item& item) { return item.selected; }));
}

std::vector<std::u16string> FakeListBox::texts() const {
    std::vector<std::u16string> texts;
    for (const Item& item : items_)
        texts.push_back(item.text);
    return texts;
}

void FakeWindow::move(int leftTwips, int topTwips) {
    const int w = width();
    const int h = height();
    place_ = {leftTwips, topTwips, leftTwips + w, topTwips + h};
}

void FakeWindow::close() {
    closed_ = true;
    visible_ = false;
    if (unload_) unload_();
}

} // namespace tolvane::fakes
