-- The converter's functions, each calling the library through the module zorv_words.
\echo Use "CREATE EXTENSION zorv_words" to load this file. \quit

CREATE FUNCTION zorv_spell(number numeric, style text DEFAULT 'plain') RETURNS text
    AS 'MODULE_PATHNAME', 'zorv_spell_numeric'
    LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION zorv_spell(numeric, text) IS 'the number in words, in a style such as ''cheque,currency=EUR''';

CREATE FUNCTION zorv_spell(number text, style text DEFAULT 'plain') RETURNS text
    AS 'MODULE_PATHNAME', 'zorv_spell_text'
    LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION zorv_spell(text, text) IS 'the number written as text (grouping and up to 1,000 digits allowed) in words';

CREATE FUNCTION zorv_classic(input text) RETURNS text
    AS 'MODULE_PATHNAME', 'zorv_classic'
    LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION zorv_classic(text) IS 'the classic answer, spaces and all';

CREATE FUNCTION zorv_read(words text, style text DEFAULT 'plain') RETURNS numeric
    AS 'MODULE_PATHNAME', 'zorv_read'
    LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION zorv_read(text, text) IS 'the number that words name';

CREATE FUNCTION zorv_verify(figures text, words text, style text DEFAULT 'plain') RETURNS boolean
    AS 'MODULE_PATHNAME', 'zorv_verify'
    LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION zorv_verify(text, text, text) IS 'whether the words name exactly the number of the figures';
