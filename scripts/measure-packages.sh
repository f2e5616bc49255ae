#!/usr/bin/env bash
# Speed of the Python and npm packages against the packages people would pick instead,
# on the same 20,000 amounts (up to 9 digits and cents) as money in US dollars, each
# side timed `runs` times in turn, medians of the time per amount:
#   Python  zorv_words.spell per call, zorv_words.spell_many (one call for all), and
#           num2words(..., to="currency") of Debian's python3-num2words
#   Node    spell of the npm package, to-words and n2words (bench/npm, pinned)
#   scripts/measure-packages.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-5}
scripts/build-packages.sh >/dev/null
(cd bench/npm && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-index --no-deps build/packages/zorv_words-*.whl
"$work/venv/bin/python" - "$runs" <<'PYTHON'
import statistics, sys, time
from decimal import Decimal
from num2words import num2words
import zorv_words

runs = int(sys.argv[1])
amounts = [f"{n * 7919 % 10 ** 9}.{n % 100:02d}" for n in range(1, 20001)]
decimals = [Decimal(a) for a in amounts]
sides = {
    "zorv_words.spell": lambda: [zorv_words.spell(a, "money") for a in amounts],
    "zorv_words.spell_many": lambda: zorv_words.spell_many(amounts, "money"),
    "num2words": lambda: [num2words(d, to="currency", currency="USD", lang="en") for d in decimals],
}
times = {name: [] for name in sides}
for _ in range(runs):
    for name, run in sides.items():
        start = time.perf_counter()
        run()
        times[name].append((time.perf_counter() - start) / len(amounts) * 1e6)
median = {name: statistics.median(values) for name, values in times.items()}
print(f"Python, {len(amounts)} amounts, {runs} runs in turn; median µs an amount (least to greatest)")
for name, values in times.items():
    print(f"  {name:24} {median[name]:8.2f} ({min(values):.2f} to {max(values):.2f})")
for name in ("zorv_words.spell", "zorv_words.spell_many"):
    ratios = [n / z for n, z in zip(times["num2words"], times[name])]
    print(f"  num2words / {name}: {statistics.median(ratios):.1f} ({min(ratios):.1f} to {max(ratios):.1f}); goal 20")
print(f"  example: {zorv_words.spell(amounts[0], 'money')!r} / {num2words(decimals[0], to='currency', currency='USD', lang='en')!r}")
PYTHON

mkdir "$work/node"
cd "$work/node"
npm init --yes >/dev/null
npm install --offline --no-audit --no-fund --loglevel=error "$root"/build/packages/zorv-words-*.tgz
cat >bench.mjs <<'NODE'
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";
import { load } from "zorv-words";
// The packages compared with, from bench/npm, where they are pinned.
const benchRequire = createRequire(`${process.argv[3]}/package.json`);
const imported = (name) => import(pathToFileURL(benchRequire.resolve(name)).href);
const { ToWords } = await imported("to-words");
const { toCurrency } = await imported("n2words/en-US");
const runs = Number(process.argv[2]);
const z = await load();
const toWords = new ToWords({ localeCode: "en-US" });
const amounts = Array.from({ length: 20000 }, (_, i) => `${((i + 1) * 7919) % 1e9}.${String((i + 1) % 100).padStart(2, "0")}`);
const sides = {
  "zorv-words spell": () => amounts.map((a) => z.spell(a, "money")),
  "to-words": () => amounts.map((a) => toWords.convert(Number(a), { currency: true })),
  "n2words": () => amounts.map((a) => toCurrency(a)),
};
const times = Object.fromEntries(Object.keys(sides).map((name) => [name, []]));
for (let run = 0; run < runs; ++run) {
  for (const [name, side] of Object.entries(sides)) {
    const start = performance.now();
    side();
    times[name].push(((performance.now() - start) / amounts.length) * 1000);
  }
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log(`Node ${process.version}, ${amounts.length} amounts, ${runs} runs in turn; median µs an amount (least to greatest)`);
for (const [name, values] of Object.entries(times)) {
  console.log(`  ${name.padEnd(24)} ${median(values).toFixed(2).padStart(8)} (${Math.min(...values).toFixed(2)} to ${Math.max(...values).toFixed(2)})`);
}
for (const other of ["to-words", "n2words"]) {
  const ratios = times[other].map((t, i) => t / times["zorv-words spell"][i]);
  console.log(`  ${other} / zorv-words spell: ${median(ratios).toFixed(1)} (${Math.min(...ratios).toFixed(1)} to ${Math.max(...ratios).toFixed(1)})`);
}
console.log(`  example: ${JSON.stringify(z.spell(amounts[0], "money"))} / ${JSON.stringify(toWords.convert(Number(amounts[0]), { currency: true }))} / ${JSON.stringify(toCurrency(amounts[0]))}`);
NODE
node bench.mjs "$runs" "$root/bench/npm"
