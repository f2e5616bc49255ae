// The page's WebAssembly module is the converter's C interface (zorv/words.h), linked
// in from the library. This file adds what the page's script cannot read from the
// header: its constants, handed over as the module's `constants` object when the
// module starts, so that the script holds no copy of them.
#include <emscripten/em_macros.h>
#include <emscripten/em_js.h>

#include "zorv/words.h"

// clang-format off
EM_JS(void, zorv_publish_constants, (int words, int message, int style, int failure, int convert, int keep, int discard), {
    Module["constants"] = {
        ZORV_WORDS: words, ZORV_MESSAGE: message, ZORV_STYLE_ERROR: style, ZORV_FAILURE: failure,
        ZORV_KEY_CONVERT: convert, ZORV_KEY_KEEP: keep, ZORV_KEY_DISCARD: discard,
    };
});
// clang-format on

namespace {

struct Publisher {
    Publisher() {
        zorv_publish_constants(ZORV_WORDS, ZORV_MESSAGE, ZORV_STYLE_ERROR, ZORV_FAILURE, ZORV_KEY_CONVERT, ZORV_KEY_KEEP,
                               ZORV_KEY_DISCARD);
    }
} publisher;

}  // namespace
