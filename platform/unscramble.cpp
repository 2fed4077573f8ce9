#include "platform/unscramble.h"

#include <algorithm>
#include <cstring>

namespace tamblo {

std::string unscramble(const char* scrambledText) {
    if (scrambledText == nullptr) return {};
    std::string s(scrambledText);
    for (char& c : s) c = static_cast<char>(scrambling::substitute(static_cast<unsigned char>(c)));
    const size_t L = s.size();
    if (L >= 3) {
        size_t h = L / 2;
        std::reverse(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(h));
        std::reverse(s.begin() + static_cast<std::ptrdiff_t>(h), s.end());
    }
    if (L < 2) return s;
    std::string out(L, '\0');
    size_t k = 0;
    for (size_t p = 1; p < L; p += 2) out[p] = s[k++];
    for (size_t p = 0; p < L; p += 2) out[p] = s[k++];
    return out;
}

}  // namespace tamblo
