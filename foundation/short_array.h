// A view over a caller's row of 16-bit cell numbers in which 0 marks a free slot.
#pragma once

#include <cstdint>

namespace tamblo {

class ShortArray {
public:
    void attach(int count, std::int16_t* buffer) {
        items_ = count > 0 ? buffer : nullptr;
        count_ = (count > 0 && buffer) ? count : 0;
        first_ = 0;
        last_ = count_ - 1;
    }
    void zeroAll() {
        for (int i = 0; i < count_; ++i) items_[i] = 0;
    }
    // Keeps the view's values unique and packed at its front: stops at v or at the first free slot.
    void addUnique(std::int16_t v) {
        for (int i = first_; i <= last_; ++i) {
            if (items_[i] == v) return;
            if (items_[i] == 0) {
                items_[i] = v;
                return;
            }
        }
    }
    int count() const { return count_; }
    std::int16_t at(int i) const { return (i >= 0 && i < count_) ? items_[i] : 0; }

private:
    std::int16_t* items_ = nullptr;
    int count_ = 0;
    int first_ = 0;
    int last_ = -1;
};

}  // namespace tamblo
