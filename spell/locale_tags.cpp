#include "locale_tags.h"

namespace zorv::spell {

std::string LocaleId(std::string_view tag) {
    std::string id;
    std::size_t part = 0;
    while (!tag.empty()) {
        const auto end = tag.find_first_of("-_");
        std::string piece(tag.substr(0, end));
        tag.remove_prefix(end == std::string_view::npos ? tag.size() : end + 1);
        for (char& c : piece) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (part > 0 && piece.size() == 4) piece[0] = static_cast<char>(piece[0] - 'a' + 'A');
        if (part > 0 && (piece.size() == 2 || piece.size() == 3) && !(piece[0] >= '0' && piece[0] <= '9')) {
            for (char& c : piece) c = static_cast<char>(c - 'a' + 'A');
        }
        if (!id.empty()) id.push_back('_');
        id += piece;
        ++part;
    }
    return id;
}

std::string TruncatedParent(std::string_view id) {
    const auto cut = id.rfind('_');
    return cut == std::string_view::npos ? std::string() : std::string(id.substr(0, cut));
}

}  // namespace zorv::spell
