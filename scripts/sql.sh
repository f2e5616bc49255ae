#!/usr/bin/env bash
# Runs an SQL file with the converter's functions loaded: builds the library and the
# engine's extension, starts what the engine needs, runs FILE with any error stopping
# the run (exit status 1), and prints the results unaligned, one row a line, as
# `sqlite3 -list` and `psql -XAtq` print them (\timing and .timer lines included).
#   scripts/sql.sh sqlite FILE       an in-memory database with the extension loaded
#   scripts/sql.sh postgresql FILE   a throwaway cluster (pg_virtualenv) in which
#                                    CREATE EXTENSION zorv_words has been run
# FILE may be - for standard input. The build is the hardened release build of the
# package preset (build/package); the PostgreSQL module is installed into a folder of
# its own, which the cluster reads through Debian's extension_destdir, not into the
# system's PostgreSQL.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
engine=${1:-}
file=${2:-}
if [ -z "$file" ] || { [ "$engine" != sqlite ] && [ "$engine" != postgresql ]; }; then
    echo "usage: scripts/sql.sh sqlite|postgresql FILE" >&2
    exit 2
fi
[ "$file" = - ] && file=/dev/stdin
[ -r "$file" ] || { echo "sql.sh: cannot read $file" >&2; exit 2; }

"$root/scripts/install-deps.sh" sql
build=$root/build/package
cmake -S "$root" --preset package >/dev/null
cmake --build "$build" --target zorv_words zorv_words_sqlite >/dev/null

if [ "$engine" = sqlite ]; then
    exec sqlite3 -batch -bail -list -cmd ".load $build/extensions/zorv_words" :memory: <"$file"
fi

pg_config=$(ls -d /usr/lib/postgresql/*/bin/pg_config | sort -V | tail -n 1)
version=$("$pg_config" --version | sed 's/^PostgreSQL \([0-9]*\).*/\1/')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"  # the server reads the module as the user postgres
make -s -C "$work" -f "$root/extensions/postgresql/Makefile" VPATH="$root/extensions/postgresql" \
    PG_CONFIG="$pg_config" ZORV_INCLUDE="$root/words/include" ZORV_LIBDIR="$build/words" \
    DESTDIR="$work/destdir" all install >/dev/null
# The library beside the module, which finds it there ($ORIGIN).
cp -P "$build"/words/libzorv-words.so* "$work/destdir$("$pg_config" --pkglibdir)/"
chmod -R a+rX "$work/destdir"
cp "$file" "$work/run.sql"
chmod 644 "$work/run.sql"
cd "$work"
# pg_virtualenv says on standard output when it creates and drops its cluster, and
# after a failure shows the server's log there: those lines are left out, the log
# goes to standard error.
status=0
pg_virtualenv -v "$version" -o "extension_destdir=$work/destdir" \
    psql -X -A -t -q -v ON_ERROR_STOP=1 -c 'CREATE EXTENSION zorv_words' -f "$work/run.sql" >"$work/out" || status=$?
awk '/^\*\*\* \/var\/log\/postgresql\// { dump = 1 }
     dump { print > "/dev/stderr"; next }
     /^(Creating new PostgreSQL cluster|Dropping cluster) / { next }
     { print }' "$work/out"
exit "$status"
