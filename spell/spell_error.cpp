#include "spell_error.h"

namespace zorv::spell {

std::string Shown(std::string_view part) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        }
    }
    return shown;
}

}  // namespace zorv::spell
