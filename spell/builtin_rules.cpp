#include "packing.h"
#include "rule_book.h"

namespace zorv::spell {

// The packed binary form written by zorv_rules_generator at build time.
extern const unsigned char kCompiledRules[];
extern const std::size_t kCompiledRulesSize;

const RuleBook& RuleBook::Builtin() {
    static const std::string rules = Unpack(std::string_view(reinterpret_cast<const char*>(kCompiledRules), kCompiledRulesSize));
    static const RuleBook book(rules);
    return book;
}

}  // namespace zorv::spell
