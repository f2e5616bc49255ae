/* The converter's functions for SQLite, as a loadable extension:
 *   zorv_spell(number [, style])          the number in words, in a style ("plain" by default)
 *   zorv_classic(text)                    the classic answer, spaces and all
 *   zorv_read(words [, style])            the number the words name, as text
 *   zorv_verify(figures, words [, style]) 1 when the words name exactly the figures, else 0
 * Each calls the library's C interface (zorv/words.h) and holds no rule of its own.
 * A TEXT or INTEGER number is read exactly; a REAL one through SQLite's own text of it.
 * NULL in gives NULL out; a refused number, words that name no number or a bad style
 * is an SQL error with the library's message. The functions are deterministic and
 * innocuous, so they may be used in indexes, generated columns and views. */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <stdlib.h>

#include <zorv/words.h>

/* What a function keeps for its connection: the default style, or the converter;
 * freed when the function is (as the connection closes). */
struct kept {
    zorv_style* plain;
    zorv_converter* converter;
};

static void free_kept(void* data) {
    struct kept* kept = data;
    zorv_style_free(kept->plain);
    zorv_converter_free(kept->converter);
    sqlite3_free(kept);
}

static void free_style(void* style) { zorv_style_free(style); }

/* The style that argument `i` describes, or the default, "plain", when there is no
 * argument `i`; NULL after reporting why there is none. A description is read once per
 * statement while it stays the same: SQLite keeps the style with the statement (for a
 * description that changes from row to row, for that row). */
static zorv_style* style_of(sqlite3_context* context, int argc, sqlite3_value** argv, int i) {
    if (i >= argc) {
        struct kept* kept = sqlite3_user_data(context);
        if (kept->plain == NULL) kept->plain = zorv_style_new("plain", NULL, NULL);
        if (kept->plain == NULL) sqlite3_result_error_nomem(context);
        return kept->plain;
    }
    zorv_style* style = sqlite3_get_auxdata(context, i);
    if (style != NULL) return style;
    const char* description = (const char*)sqlite3_value_text(argv[i]);
    char* error = NULL;
    style = description == NULL ? NULL : zorv_style_new(description, &error, NULL);
    if (style == NULL) {
        if (error != NULL) {
            sqlite3_result_error(context, error, -1);
        } else {
            sqlite3_result_error_nomem(context);
        }
        zorv_string_free(error);
        return NULL;
    }
    sqlite3_set_auxdata(context, i, style, free_style);
    /* SQLite frees it at once when it cannot keep it. */
    style = sqlite3_get_auxdata(context, i);
    if (style == NULL) sqlite3_result_error_nomem(context);
    return style;
}

/* Whether any argument is NULL: then the answer is NULL. */
static int any_null(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return 1;
    }
    return 0;
}

/* Hands a library result to SQLite: the text, or the message as an error. */
static void give(sqlite3_context* context, int status, char* out, size_t length) {
    if (status == ZORV_WORDS) {
        sqlite3_result_text64(context, out, length, SQLITE_TRANSIENT, SQLITE_UTF8);
    } else if (status == ZORV_MESSAGE) {
        sqlite3_result_error(context, out, (int)length);
    } else {
        sqlite3_result_error_nomem(context);
    }
    zorv_string_free(out);
}

/* The text of argument `i` (SQLite's text of a number) and its length in bytes; NULL
 * after reporting that there is no memory for it. */
static const char* text_of(sqlite3_context* context, sqlite3_value** argv, int i, size_t* length) {
    const char* text = (const char*)sqlite3_value_text(argv[i]);
    *length = (size_t)sqlite3_value_bytes(argv[i]);
    if (text == NULL) sqlite3_result_error_nomem(context);
    return text;
}

/* Answers a text (argument 0) in a style (argument 1, or the default) through `call`,
 * zorv_style_spell or zorv_style_read. */
static void answer_in_style(sqlite3_context* context, int argc, sqlite3_value** argv,
                            int (*call)(const zorv_style*, const char*, size_t, char**, size_t*)) {
    size_t length = 0;
    const char* text = NULL;
    zorv_style* style = NULL;
    if (any_null(argc, argv) || !(text = text_of(context, argv, 0, &length)) || !(style = style_of(context, argc, argv, 1))) return;
    char* out = NULL;
    size_t out_length = 0;
    const int status = call(style, text, length, &out, &out_length);
    give(context, status, out, out_length);
}

static void spell(sqlite3_context* context, int argc, sqlite3_value** argv) {
    answer_in_style(context, argc, argv, zorv_style_spell);
}

static void read_words(sqlite3_context* context, int argc, sqlite3_value** argv) {
    answer_in_style(context, argc, argv, zorv_style_read);
}

static void verify(sqlite3_context* context, int argc, sqlite3_value** argv) {
    size_t figures_length = 0, words_length = 0;
    const char *figures = NULL, *words = NULL;
    zorv_style* style = NULL;
    if (any_null(argc, argv) || !(figures = text_of(context, argv, 0, &figures_length)) ||
        !(words = text_of(context, argv, 1, &words_length)) || !(style = style_of(context, argc, argv, 2))) {
        return;
    }
    char* out = NULL;
    const int status = zorv_style_verify(style, figures, figures_length, words, words_length, &out, NULL);
    zorv_string_free(out);
    if (status == ZORV_FAILURE) {
        sqlite3_result_error_nomem(context);
    } else {
        sqlite3_result_int(context, status == ZORV_WORDS);
    }
}

static void classic(sqlite3_context* context, int argc, sqlite3_value** argv) {
    size_t length = 0;
    const char* text = NULL;
    if (any_null(argc, argv) || !(text = text_of(context, argv, 0, &length))) return;
    struct kept* kept = sqlite3_user_data(context);
    if (kept->converter == NULL) kept->converter = zorv_converter_new();
    if (kept->converter == NULL) {
        sqlite3_result_error_nomem(context);
        return;
    }
    char* out = NULL;
    size_t out_length = 0;
    const int status = zorv_convert(kept->converter, text, length, &out, &out_length);
    give(context, status, out, out_length);
}

#ifdef _WIN32
__declspec(dllexport)
#endif
int sqlite3_zorvwords_init(sqlite3* db, char** error, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    (void)error;
    static const struct {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    } functions[] = {
        {"zorv_spell", 1, spell},   {"zorv_spell", 2, spell},   {"zorv_read", 1, read_words}, {"zorv_read", 2, read_words},
        {"zorv_verify", 2, verify}, {"zorv_verify", 3, verify}, {"zorv_classic", 1, classic},
    };
    for (size_t i = 0; i < sizeof functions / sizeof functions[0]; ++i) {
        struct kept* kept = sqlite3_malloc(sizeof *kept);
        if (kept == NULL) return SQLITE_NOMEM;
        kept->plain = NULL;
        kept->converter = NULL;
        /* SQLite frees `kept` with the function, or at once when it cannot be made. */
        const int status = sqlite3_create_function_v2(db, functions[i].name, functions[i].arguments,
                                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, kept,
                                                      functions[i].call, NULL, NULL, free_kept);
        if (status != SQLITE_OK) return status;
    }
    return SQLITE_OK;
}
