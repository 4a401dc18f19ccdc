#!/usr/bin/python3
"""The page's figures: its size with its app files compressed by gzip, and the time from
navigation to the first answer in headless chromium (median of 9 loads from disk).
Usage: measure.py SITE_DIR"""
import gzip
import statistics
import sys
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = Path(sys.argv[1]).resolve()
files = [p for p in site.iterdir() if p.is_file()]
total = sum(len(gzip.compress(p.read_bytes(), 9)) for p in files)
page = len(gzip.compress((site / 'quorbit1.html').read_bytes(), 9))
print(f'page: quorbit1.html {page / 1000:.1f} KB gzipped; with its app files {total / 1000:.1f} KB')

options = webdriver.ChromeOptions()
for arg in ('--headless=new', '--no-sandbox', '--disable-gpu'):
    options.add_argument(arg)
options.binary_location = '/usr/bin/chromium'
driver = webdriver.Chrome(options=options, service=Service('/usr/bin/chromedriver'))
times = []
try:
    for _ in range(9):
        driver.get((site / 'quorbit1.html').as_uri())
        # From the navigation's start to the answer of a first OK, pressed as soon as the
        # page is ready.
        times.append(driver.execute_async_script('''
            const done = arguments[0];
            const press = () => {
              document.getElementById('input').value = '10 + cos(45)';
              document.getElementById('ok').click();
              done(performance.now());
            };
            const wait = () => document.body.dataset.ready === 'true' ? press() : setTimeout(wait, 1);
            wait();'''))
finally:
    driver.quit()
print(f'page: navigation to first answer {statistics.median(times):.0f} ms (median of 9), '
      f'range {min(times):.0f}-{max(times):.0f} ms')
