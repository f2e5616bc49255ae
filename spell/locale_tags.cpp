#include "locale_tags.h"

namespace zorv::spell {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string LocaleId(std::string_view tag) {
    std::string id;
    std::size_t part = 0;
    while (!tag.empty()) {
        const auto end = tag.find_first_of("-_");
        std::string piece(tag.substr(0, end));
        tag.remove_prefix(end == std::string_view::npos ? tag.size() : end + 1);
        for (char& c : piece) c = Lower(c);
        // A script (four letters) in title case, a region (two letters) in upper case;
        // a region of three digits ("419") and a variant ("1996") as they are.
        if (part > 0 && piece.size() == 4 && IsLetter(piece[0])) piece[0] = Upper(piece[0]);
        if (part > 0 && (piece.size() == 2 || piece.size() == 3) && IsLetter(piece[0])) {
            for (char& c : piece) c = Upper(c);
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
