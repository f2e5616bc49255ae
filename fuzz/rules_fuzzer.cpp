// Fuzzes the loader of compiled rules and their unpacker: any bytes, read as compiled
// rules or as a packing of them, are refused with std::runtime_error or load, and
// loaded rules spell a few numbers or refuse them, without a crash, a hang or a leak;
// packing any bytes and unpacking them gives them back.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "check.h"
#include "packing.h"
#include "rule_book.h"
#include "interpreter.h"

using zorv::fuzz::Check;
using namespace zorv::spell;

namespace {

void LoadAndSpell(std::string_view data) {
    try {
        const RuleBook book(data);
        for (const std::string_view name : book.Names()) {
            const Locale* locale = book.Find(name);
            if (locale == nullptr) continue;
            for (const RuleSet& set : locale->sets) {
                for (const char* number : {"0", "7", "1234", "-5.25", "100000000000000000000000"}) {
                    try {
                        (void)Spell(*locale, set, number);
                    } catch (const SpellError&) {
                    }
                }
            }
        }
    } catch (const std::runtime_error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(Unpack(Pack(bytes)) == bytes);
    LoadAndSpell(bytes);
    try {
        LoadAndSpell(Unpack(bytes));
    } catch (const std::runtime_error&) {
    }
    return 0;
}
