#!/usr/bin/env bash
# Speed of the SQL functions on 300,000 amounts (or `rows`), each query run `runs`
# times, all in turn within each round: in PostgreSQL zorv_spell(numeric, 'money')
# against the built-in cash_words(numeric::money) and upper() of the amounts' text,
# in SQLite zorv_spell(text, 'money') against upper(); then PostgreSQL's plan for the
# same query with two parallel workers, which shows the function run in them.
#   scripts/measure-sql.sh [rows] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
rows=${1:-300000}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Amounts with up to 9 digits and cents, the same in both engines.
amount="(i::bigint * 7919 % 1000000000) || '.' || lpad((i % 100)::text, 2, '0')"
sqlite_amount="(i * 7919 % 1000000000) || '.' || printf('%02d', i % 100)"
queries=("zorv_spell(amount, 'money')" "cash_words(amount::money)" "upper(amount::text)")
{
    echo "CREATE TABLE amounts AS SELECT ($amount)::numeric(12,2) AS amount FROM generate_series(1, $rows) AS i;"
    echo "SET max_parallel_workers_per_gather = 0;"
    echo "\\timing on"
    for ((run = 0; run < runs; run++)); do
        for query in "${queries[@]}"; do echo "SELECT sum(length($query)) FROM amounts;"; done
    done
    echo "\\timing off"
    echo "ALTER TABLE amounts SET (parallel_workers = 2);"
    echo "SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0; SET parallel_tuple_cost = 0;"
    echo "EXPLAIN (ANALYZE, VERBOSE, COSTS OFF, TIMING OFF) SELECT sum(length(zorv_spell(amount, 'money'))) FROM amounts;"
} >"$work/postgresql.sql"
scripts/sql.sh postgresql "$work/postgresql.sql" >"$work/postgresql.out"

{
    echo "CREATE TABLE amounts AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $rows)"
    echo "  SELECT $sqlite_amount AS amount FROM n;"
    echo ".timer on"
    for ((run = 0; run < runs; run++)); do
        for query in "zorv_spell(amount, 'money')" "upper(amount)"; do echo "SELECT sum(length($query)) FROM amounts;"; done
    done
} >"$work/sqlite.sql"
scripts/sql.sh sqlite "$work/sqlite.sql" >"$work/sqlite.out"

# The times of one engine, one column per query, one line per round.
times() {  # file, pattern of a time line, field of the seconds or milliseconds, queries a round
    grep -E "$2" "$1" | awk -v f="$3" '{ print $f }' | paste -d ' ' $(printf -- '- %.0s' $(seq "$4"))
}
times "$work/postgresql.out" '^Time: ' 2 3 >"$work/pg-times"
times "$work/sqlite.out" '^Run Time: ' 4 2 | awk '{ print $1 * 1000, $2 * 1000 }' >"$work/sqlite-times"
column() { awk -v c="$2" '{ print $c }' "$1" | summary; }
ratio() { awk -v a="$2" -v b="$3" '{ print $b / $a }' "$1" | summary; }

echo "$rows amounts; $runs runs of each query, in turn; median (least to greatest)"
read -r m l g _ < <(column "$work/pg-times" 1); echo "PostgreSQL zorv_spell(numeric, 'money')  $m ms ($l to $g)"
read -r m l g _ < <(column "$work/pg-times" 2); echo "PostgreSQL cash_words(numeric::money)    $m ms ($l to $g)"
read -r m l g _ < <(column "$work/pg-times" 3); echo "PostgreSQL upper(numeric::text)          $m ms ($l to $g)"
read -r m l g _ < <(ratio "$work/pg-times" 1 2); echo "cash_words / zorv_spell: $m ($l to $g); floor 1, goal 1.5"
read -r m l g _ < <(ratio "$work/pg-times" 3 1); echo "zorv_spell / upper in PostgreSQL: $m ($l to $g)"
read -r m l g _ < <(column "$work/sqlite-times" 1); echo "SQLite zorv_spell(text, 'money')  $m ms ($l to $g)"
read -r m l g _ < <(column "$work/sqlite-times" 2); echo "SQLite upper(text)                $m ms ($l to $g)"
read -r m l g _ < <(ratio "$work/sqlite-times" 2 1); echo "zorv_spell / upper in SQLite: $m ($l to $g)"
echo
echo "PostgreSQL's plan with two parallel workers:"
sed -n '/^Finalize Aggregate/,$p' "$work/postgresql.out"
