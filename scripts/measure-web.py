#!/usr/bin/python3
"""The web page's costs in headless Chromium, in one run beside the native command:
the bytes the page loads, navigation to ready for typing, the time per conversion
called from the page's script on the benchmark corpus, and Enter to the painted
answer for a pasted text of 32,767 characters; and for the cheque writer, its bytes and
a keystroke to the first frame painted with its words, typing a 30-digit amount with
real keys, and its check panel on a megabyte of words. Medians of RUNS page loads. It also takes the cheque writer's screenshot,
docs/cheque-screenshot.png, with 1234.05 typed and a disagreeing line checked.
    scripts/measure-web.py [RUNS]      (builds what it needs first)
"""
import pathlib
import re
import statistics
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests"))
from support import ROOT, browser, wait_ready  # noqa: E402  the same browser set-up as the tests

RUNS = int(sys.argv[1]) if len(sys.argv) > 1 else 10

subprocess.run([ROOT / "scripts/install-deps.sh", "build", "bench", "web"], check=True)
subprocess.run([ROOT / "scripts/build-web.sh"], check=True, stdout=subprocess.DEVNULL)
subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
subprocess.run(["cmake", "--build", "--preset", "release", "--target", "zorv_command_bench", "zorv_bench_corpus"],
               cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
web = ROOT / "build/web"
page_bytes = sum((web / name).stat().st_size for name in ("index.html", "style.css", "app.js", "zorv-words.js"))
cheque_bytes = sum((web / name).stat().st_size for name in ("cheque.html", "cheque.css", "cheque.js", "zorv-spell.js"))
corpus = subprocess.run([ROOT / "build/release/bench/zorv_bench_corpus", "4096"], capture_output=True, text=True,
                        check=True).stdout.splitlines()
long_text = "1." + "0" * 32764 + "1"

ready, per_conversion, paint, keystroke = [], [], [], []
driver = browser()
try:
    from selenium.webdriver.common.by import By
    for _ in range(RUNS):
        driver.get((web / "cheque.html").as_uri())
        wait_ready(driver)
        # For each key: the time from its keydown until its words are set (the page's
        # work), and until the first frame painted after that.
        driver.execute_script("""
            window.keyTimes = [];
            const amount = document.getElementById('amount');
            let start = 0;
            amount.addEventListener('keydown', () => { start = performance.now(); }, true);
            amount.addEventListener('input', () => {
              const work = performance.now() - start;
              requestAnimationFrame(() => window.keyTimes.push([work, performance.now() - start]));
            });""")
        driver.find_element(By.ID, "amount").send_keys("123456789012345678901234567890")
        keystroke += driver.execute_script("return window.keyTimes")
    driver.set_window_size(800, 900)
    driver.get((web / "cheque.html").as_uri())
    wait_ready(driver)
    driver.find_element(By.ID, "amount").send_keys("1234.05")
    driver.find_element(By.ID, "check-figures").send_keys("1234.05")
    driver.find_element(By.ID, "check-words").send_keys("One Thousand Two Hundred Thirty-Five and 05/100 Dollars")
    driver.find_element(By.ID, "check").click()
    driver.execute_script("window.scrollTo(0, 0)")
    driver.save_screenshot(str(ROOT / "docs/cheque-screenshot.png"))
    # The check panel on a megabyte of words ("one crore" over and over, which a
    # reader that multiplies term by term would take quadratic time on): click to verdict.
    check_times = [driver.execute_script("""
            document.getElementById('check-figures').value = '5';
            document.getElementById('check-words').value = arguments[0];
            const start = performance.now();
            document.getElementById('check').click();
            return performance.now() - start;""", "one crore " * 104000) for _ in range(RUNS)]
    for _ in range(RUNS):
        driver.get((web / "index.html").as_uri())
        wait_ready(driver)
        ready.append(driver.execute_script("return performance.getEntriesByName('ready')[0].startTime"))
        per_conversion.append(driver.execute_script("""
            const lines = arguments[0], rounds = 50;
            for (const line of lines) window.zorvWords.convert(line);  // the engine's code tiers up first
            const start = performance.now();
            for (let r = 0; r < rounds; ++r) for (const line of lines) window.zorvWords.convert(line);
            return (performance.now() - start) * 1e6 / (rounds * lines.length);""", corpus))
        paint.append(driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const input = document.getElementById('txtnumber'), output = document.getElementById('txtword');
            input.value = arguments[0];  // as pasted
            const start = performance.now();
            input.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
            requestAnimationFrame(() => done([performance.now() - start, output.value.length]));""", long_text))
finally:
    driver.quit()

native = subprocess.run(["taskset", "-c", "0", ROOT / "build/release/bench/zorv_command_bench",
                         "--benchmark_filter=BM_ConvertCommand", "--benchmark_repetitions=5",
                         "--benchmark_report_aggregates_only=true"], capture_output=True, text=True, check=True).stdout
native_ns = float(re.search(r"BM_ConvertCommand_median\s+([\d.]+) ns", re.sub(r"\x1b\[[0-9;]*m", "", native)).group(1))
page_ns = statistics.median(per_conversion)

print(f"cheque writer, bytes it loads:     {cheque_bytes} ({cheque_bytes / 1024:.1f} KiB; goal at most 400 KB)")
work, painted = [w for w, _ in keystroke], [p for _, p in keystroke]
print(f"cheque writer, a key of a 30-digit amount: words set {statistics.median(work):.2f} ms after its keydown, median "
      f"of {len(work)} keys ({min(work):.2f} to {max(work):.2f}); the frame with them {statistics.median(painted):.1f} ms "
      f"after it ({min(painted):.1f} to {max(painted):.1f}; goal one frame, 16 ms)")
print(f"cheque writer, the check panel on 1,040,000 bytes of words: verdict {statistics.median(check_times):.0f} ms "
      f"after the click, median ({min(check_times):.0f} to {max(check_times):.0f})")
print(f"bytes the page loads:              {page_bytes} ({page_bytes / 1024:.1f} KiB; goal under 300 KB)")
print(f"navigation to ready for typing:    {statistics.median(ready):.1f} ms median of {RUNS} "
      f"({min(ready):.1f} to {max(ready):.1f}; goal 300 ms)")
print(f"per conversion from page script:   {page_ns:.0f} ns median ({min(per_conversion):.0f} to "
      f"{max(per_conversion):.0f}); native command {native_ns:.0f} ns; ratio {page_ns / native_ns:.1f} (goal 10)")
times = [t for t, _ in paint]
print(f"Enter to painted answer, 32,767 characters pasted ({paint[0][1]} characters answered): "
      f"{statistics.median(times):.1f} ms median ({min(times):.1f} to {max(times):.1f}; goal 16 ms)")
