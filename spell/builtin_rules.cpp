#include "packing.h"
#include "rule_book.h"

namespace zorv::spell {

// The packed binary form written by zorv_rules_generator at build time.
extern const unsigned char kCompiledRules[];
extern const std::size_t kCompiledRulesSize;
extern const unsigned char kDocumentRules[];
extern const std::size_t kDocumentRulesSize;

const RuleBook& RuleBook::Builtin() {
    static const std::string rules = Unpack(std::string_view(reinterpret_cast<const char*>(kCompiledRules), kCompiledRulesSize));
    static const RuleBook book(rules);
    return book;
}

const RuleBook& RuleBook::Document() {
    static const std::string rules = Unpack(std::string_view(reinterpret_cast<const char*>(kDocumentRules), kDocumentRulesSize));
    static const RuleBook book(rules);
    return book;
}

}  // namespace zorv::spell
