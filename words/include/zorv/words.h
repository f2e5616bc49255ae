/* The converter for any language that can call C: the very same Convert command as
 * the window and zorv-words, UTF-8 in and out. No C++ exception crosses it.
 *
 *     zorv_converter* c = zorv_converter_new();
 *     char* out; size_t n;
 *     if (zorv_convert(c, "1234.05", 7, &out, &n) == ZORV_WORDS) puts(out);
 *     zorv_string_free(out);
 *     zorv_converter_free(c);
 */
#ifndef ZORV_WORDS_H
#define ZORV_WORDS_H

#include <stddef.h>

#if defined(_WIN32)
#  if defined(ZORV_WORDS_BUILDING)
#    define ZORV_WORDS_API __declspec(dllexport)
#  else
#    define ZORV_WORDS_API __declspec(dllimport)
#  endif
#else
#  define ZORV_WORDS_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* What zorv_convert, zorv_style_spell and zorv_spell return. */
enum {
    ZORV_WORDS = 0,       /* *out holds the words, spaces and all */
    ZORV_MESSAGE = 1,     /* *out holds the message the window would show instead */
    ZORV_STYLE_ERROR = 2, /* zorv_spell: *out names what the style description gets wrong */
    ZORV_FAILURE = -1     /* nothing was converted: no memory, or a null argument */
};

/* A converter: one engine object, for one conversion at a time. */
typedef struct zorv_converter zorv_converter;

/* A new converter, or NULL when there is no memory for one. */
ZORV_WORDS_API zorv_converter* zorv_converter_new(void);

/* Frees a converter made by zorv_converter_new; NULL is allowed. */
ZORV_WORDS_API void zorv_converter_free(zorv_converter* converter);

/* Converts the `length` bytes at `text` (UTF-8; NUL bytes are characters like any
 * other; each byte that does not begin a complete, valid sequence is read as U+FFFD).
 * On ZORV_WORDS or ZORV_MESSAGE, *out is a new UTF-8 text of *out_length bytes
 * followed by a NUL, to be released with zorv_string_free. On ZORV_FAILURE, *out is
 * NULL and *out_length 0. `text` may be NULL when `length` is 0; `out_length` may be
 * NULL. */
ZORV_WORDS_API int zorv_convert(zorv_converter* converter, const char* text, size_t length, char** out,
                                size_t* out_length);

/* Releases a text returned by zorv_convert; NULL is allowed. */
ZORV_WORDS_API void zorv_string_free(char* text);

/* What a window's input box does with a character typed into it, given the
 * character's code (Latin-1; Enter 13, Backspace 8, Ctrl with a letter the letter's
 * place in the alphabet): ZORV_KEY_CONVERT runs the conversion; ZORV_KEY_KEEP types
 * it; ZORV_KEY_DISCARD drops it. Both of the last two empty the output box. */
enum { ZORV_KEY_CONVERT = 0, ZORV_KEY_KEEP = 1, ZORV_KEY_DISCARD = 2 };
ZORV_WORDS_API int zorv_input_key_action(int code);

/* A style of words for numbers, read once from a description: a preset and options,
 * separated by commas, such as "cheque,currency=INR,case=upper,width=60,fill=*".
 *   presets  classic (the window's answer, as zorv_convert gives it), plain, british,
 *            ordinal, indian, money (USD by default), cheque (USD by default)
 *   options  locale=TAG rules=NAME (plain and ordinal: the words of a locale, by
 *            one of its public rule sets), numbering=short|indian, and=on|off,
 *            hyphens=on|off, case=lower|upper|title|sentence, currency=CODE (ISO
 *            4217), unit=NAME/NAMES, subunit=NAME/NAMES, digits=0|2|3,
 *            minor=words|digits|none, only=on|off, first=on|off,
 *            round=none|half-up|half-even, width=N, fill=C
 * Returns the style, or NULL: then, when `error` is not NULL, *error is a new text
 * (as *out of zorv_convert) naming what the description gets wrong, or NULL when
 * there was no memory. */
typedef struct zorv_style zorv_style;

/* The most bytes of one text a style reads (a number, words, figures). A longer text
 * is refused whole, with ZORV_MESSAGE, never cut and answered by its beginning. */
#define ZORV_LONGEST_TEXT 1048576

ZORV_WORDS_API zorv_style* zorv_style_new(const char* description, char** error, size_t* error_length);

/* Frees a style made by zorv_style_new; NULL is allowed. */
ZORV_WORDS_API void zorv_style_free(zorv_style* style);

/* Spells the `length` bytes at `text` (at most ZORV_LONGEST_TEXT), a number: an
 * optional sign (none on zero: "-0" is zero), digits (up to
 * 1,000) grouped by commas in threes ("1,234,567") or the Indian way ("12,34,567")
 * or not at all, optionally a point and up to 1,000 more digits, spaces around it
 * ignored. ZORV_WORDS gives the words, exact at any length; ZORV_MESSAGE one
 * message saying what is wrong with the number; ZORV_FAILURE nothing (no memory, or a
 * null argument). *out and *out_length as for zorv_convert. A style may be used by
 * many threads at once. */
ZORV_WORDS_API int zorv_style_spell(const zorv_style* style, const char* text, size_t length, char** out,
                                    size_t* out_length);

/* Spells many numbers in one call, for a caller to whom each call costs a crossing
 * (Python, JavaScript): `texts` holds `count` numbers back to back, each ended by a NUL,
 * `length` bytes in all. *out receives first `count` bytes, one a number in order, '0'
 * for words and '1' for a message, then the words or message of each number, each
 * ended by a NUL; *out_length their bytes. ZORV_WORDS when every number got words,
 * ZORV_MESSAGE when any got a message, ZORV_FAILURE as for zorv_style_spell, or when
 * `texts` does not hold `count` numbers. */
ZORV_WORDS_API int zorv_style_spell_all(const zorv_style* style, const char* texts, size_t length, size_t count,
                                        char** out, size_t* out_length);

/* The number that the `length` bytes of English words at `text` name, in any English
 * style written here (the classic answer included; any letter case, hyphens or spaces,
 * "and" or not, currency words, "Only", "05/100", fill characters and line breaks):
 * ZORV_WORDS with *out the number as text ("1234.05"), ZORV_MESSAGE with *out saying
 * where the words stop making sense, ZORV_FAILURE as for zorv_style_spell. Reading
 * takes time linear in `length` (at most ZORV_LONGEST_TEXT). Words that name a
 * currency are an amount of it, with its minor digits; with a money or cheque style
 * it must be the style's currency. A sign in figures before the words ("-five") is
 * refused: a negative number is written "minus". */
ZORV_WORDS_API int zorv_style_read(const zorv_style* style, const char* text, size_t length, char** out,
                                   size_t* out_length);

/* Whether the words name exactly the number of the figures (as zorv_style_spell reads
 * a number): ZORV_WORDS when they do, *out the number read; ZORV_MESSAGE when they do
 * not, *out saying what the words say instead, or why the words or the figures are no
 * number; ZORV_FAILURE as for zorv_style_spell. */
ZORV_WORDS_API int zorv_style_verify(const zorv_style* style, const char* figures, size_t figures_length,
                                     const char* words, size_t words_length, char** out, size_t* out_length);

/* zorv_style_new, zorv_style_spell and zorv_style_free in one call; a bad
 * description gives ZORV_STYLE_ERROR with *out naming what it gets wrong. */
ZORV_WORDS_API int zorv_spell(const char* style, const char* text, size_t length, char** out, size_t* out_length);

/* Every locale with spelling rules and its public rule sets, one locale a line, with
 * the currencies it words money in where it does: "de: spellout-numbering
 * spellout-cardinal ... (money: EUR USD GBP)\n". ZORV_WORDS, or ZORV_FAILURE
 * without memory; *out and *out_length as for zorv_convert. */
ZORV_WORDS_API int zorv_list_locales(char** out, size_t* out_length);

/* The library's version as the programs show it, "1.00". */
ZORV_WORDS_API const char* zorv_version(void);

#ifdef __cplusplus
}
#endif

#endif /* ZORV_WORDS_H */
