// The page's WebAssembly module is the converter's C interface (zorv/words.h), linked
// in from the library; the module needs a file of its own to be built from, and this
// is it.
