#include "lines.h"

namespace zorv::cli {

std::u16string_view LineDecoder::Decode(std::string_view bytes) {
    // ASCII is its own UTF-16; anything else is decoded over again.
    text_.resize(bytes.size());
    if (CopyAscii(bytes.data(), bytes.size(), text_.data())) return text_;
    text_.resize(static_cast<std::size_t>(decoder_.requiredSpace(static_cast<qsizetype>(bytes.size()))));
    auto* begin = reinterpret_cast<QChar*>(text_.data());
    const QChar* end = decoder_.appendToBuffer(begin, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    text_.resize(static_cast<std::size_t>(end - begin));
    return text_;
}

}  // namespace zorv::cli
