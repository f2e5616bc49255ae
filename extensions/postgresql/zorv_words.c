/* The converter's functions for PostgreSQL (CREATE EXTENSION zorv_words):
 *   zorv_spell(numeric | text, style text DEFAULT 'plain') RETURNS text
 *   zorv_classic(text) RETURNS text
 *   zorv_read(words text, style text DEFAULT 'plain') RETURNS numeric
 *   zorv_verify(figures text, words text, style text DEFAULT 'plain') RETURNS boolean
 * Each calls the library's C interface (zorv/words.h) and holds no rule of its own. A
 * numeric goes to the library as its exact text, never through a float. A number the
 * library refuses, or words that name none, is an error with SQLSTATE 22P02 and the
 * library's message; a bad style description one with 22023. Every string the
 * library hands out is freed before the function returns or raises its error, and
 * each answer is a palloc'd text, so nothing of the library is kept from row to row
 * but the styles of one call site (freed with it). */
#include <postgres.h>

#include <fmgr.h>
#include <utils/builtins.h>
#include <utils/memutils.h>
#include <utils/numeric.h>

#include <zorv/words.h>

PG_MODULE_MAGIC;

/* A message from the library, copied into PostgreSQL's memory and freed, raised as an
 * error with `code`. */
static void raise_message(int code, char* message, size_t length) pg_attribute_noreturn();
static void raise_message(int code, char* message, size_t length) {
    char* copy = pnstrdup(message, length);
    zorv_string_free(message);
    ereport(ERROR, (errcode(code), errmsg("%s", copy)));
}

/* The library's answer as text, or its message raised as an error. */
static text* answer(int status, char* out, size_t length) {
    text* result;
    if (status == ZORV_FAILURE) ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory")));
    if (status != ZORV_WORDS) raise_message(ERRCODE_INVALID_TEXT_REPRESENTATION, out, length);
    result = cstring_to_text_with_len(out, (int)length);
    zorv_string_free(out);
    return result;
}

/* A style kept for one call site: made from its description on first use and again
 * only when the description changes, freed with the call site's memory. */
typedef struct {
    zorv_style* style;
    text* description; /* in the call site's memory */
} KeptStyle;

static void free_kept_style(void* data) {
    KeptStyle* kept = data;
    zorv_style_free(kept->style);
    kept->style = NULL;
}

static zorv_style* style_of(FunctionCallInfo fcinfo, int argument) {
    text* description = PG_GETARG_TEXT_PP(argument);
    KeptStyle* kept = fcinfo->flinfo->fn_extra;
    char* error = NULL;
    size_t error_length = 0;
    char* wanted;
    if (kept == NULL) {
        MemoryContextCallback* callback;
        kept = MemoryContextAllocZero(fcinfo->flinfo->fn_mcxt, sizeof(KeptStyle));
        callback = MemoryContextAlloc(fcinfo->flinfo->fn_mcxt, sizeof(MemoryContextCallback));
        callback->func = free_kept_style;
        callback->arg = kept;
        MemoryContextRegisterResetCallback(fcinfo->flinfo->fn_mcxt, callback);
        fcinfo->flinfo->fn_extra = kept;
    }
    if (kept->style != NULL && VARSIZE_ANY_EXHDR(kept->description) == VARSIZE_ANY_EXHDR(description) &&
        memcmp(VARDATA_ANY(kept->description), VARDATA_ANY(description), VARSIZE_ANY_EXHDR(description)) == 0) {
        return kept->style;
    }
    zorv_style_free(kept->style);
    kept->style = NULL;
    wanted = text_to_cstring(description);
    kept->style = zorv_style_new(wanted, &error, &error_length);
    pfree(wanted);
    if (kept->style == NULL) {
        if (error == NULL) ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory")));
        raise_message(ERRCODE_INVALID_PARAMETER_VALUE, error, error_length);
    }
    if (kept->description != NULL) pfree(kept->description);
    kept->description = MemoryContextAlloc(fcinfo->flinfo->fn_mcxt, VARSIZE_ANY(description));
    memcpy(kept->description, description, VARSIZE_ANY(description));
    return kept->style;
}

/* Spells `number`, `length` bytes, in the style of argument 1. */
static text* spell(FunctionCallInfo fcinfo, const char* number, size_t length) {
    zorv_style* style = style_of(fcinfo, 1);
    char* out = NULL;
    size_t out_length = 0;
    const int status = zorv_style_spell(style, number, length, &out, &out_length);
    return answer(status, out, out_length);
}

PG_FUNCTION_INFO_V1(zorv_spell_numeric);
Datum zorv_spell_numeric(PG_FUNCTION_ARGS) {
    char* number = DatumGetCString(DirectFunctionCall1(numeric_out, PG_GETARG_DATUM(0)));
    text* words = spell(fcinfo, number, strlen(number));
    pfree(number);
    PG_RETURN_TEXT_P(words);
}

PG_FUNCTION_INFO_V1(zorv_spell_text);
Datum zorv_spell_text(PG_FUNCTION_ARGS) {
    text* number = PG_GETARG_TEXT_PP(0);
    PG_RETURN_TEXT_P(spell(fcinfo, VARDATA_ANY(number), VARSIZE_ANY_EXHDR(number)));
}

PG_FUNCTION_INFO_V1(zorv_classic);
Datum zorv_classic(PG_FUNCTION_ARGS) {
    /* One converter for the backend: a backend converts one text at a time. */
    static zorv_converter* converter = NULL;
    text* input = PG_GETARG_TEXT_PP(0);
    char* out = NULL;
    size_t out_length = 0;
    int status;
    if (converter == NULL) converter = zorv_converter_new();
    if (converter == NULL) ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory")));
    status = zorv_convert(converter, VARDATA_ANY(input), VARSIZE_ANY_EXHDR(input), &out, &out_length);
    PG_RETURN_TEXT_P(answer(status, out, out_length));
}

PG_FUNCTION_INFO_V1(zorv_read);
Datum zorv_read(PG_FUNCTION_ARGS) {
    text* words = PG_GETARG_TEXT_PP(0);
    zorv_style* style = style_of(fcinfo, 1);
    char* out = NULL;
    size_t out_length = 0;
    const int status = zorv_style_read(style, VARDATA_ANY(words), VARSIZE_ANY_EXHDR(words), &out, &out_length);
    char* number = text_to_cstring(answer(status, out, out_length));
    PG_RETURN_DATUM(DirectFunctionCall3(numeric_in, CStringGetDatum(number), ObjectIdGetDatum(InvalidOid), Int32GetDatum(-1)));
}

PG_FUNCTION_INFO_V1(zorv_verify);
Datum zorv_verify(PG_FUNCTION_ARGS) {
    text* figures = PG_GETARG_TEXT_PP(0);
    text* words = PG_GETARG_TEXT_PP(1);
    zorv_style* style = style_of(fcinfo, 2);
    char* out = NULL;
    const int status = zorv_style_verify(style, VARDATA_ANY(figures), VARSIZE_ANY_EXHDR(figures), VARDATA_ANY(words),
                                         VARSIZE_ANY_EXHDR(words), &out, NULL);
    zorv_string_free(out);
    if (status == ZORV_FAILURE) ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory")));
    PG_RETURN_BOOL(status == ZORV_WORDS);
}
