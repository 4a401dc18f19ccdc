#!/usr/bin/python3
"""The page in a real browser (Debian's chromium, headless, driven by chromium-driver), used as a
person uses it: keys typed into the fields, Enter, the controls clicked. Opened from disk and
from a server on localhost; checks answers and messages against tests/data/ok.tsv, the marked
character, recall across a reload, Clear History, F1, Variables, Show Working, German after the
browser's language, and a reload with the server gone (the service worker's copy).

Usage: page_test.py SITE_DIR DATA_DIR [SCREENSHOT]
"""
import functools
import http.server
import sys
import threading
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

SITE = Path(sys.argv[1]).resolve()
DATA = Path(sys.argv[2]).resolve()
SCREENSHOT = sys.argv[3] if len(sys.argv) > 3 else None


def unescape(field):
    out = bytearray()
    i = 0
    while i < len(field):
        if field[i] != '\\' or i + 1 >= len(field):
            out += field[i].encode()
        elif field[i + 1] == 'x':
            out.append(int(field[i + 2:i + 4], 16))
            i += 2
        else:
            out += {'t': b'\t', 'n': b'\n', 'r': b'\r'}.get(field[i + 1], field[i + 1].encode())
            i += 1
        i += 1
    return bytes(out)


def browser(language='en-US'):
    options = webdriver.ChromeOptions()
    for arg in ('--headless=new', '--no-sandbox', '--disable-gpu', '--window-size=1100,800',
                f'--lang={language}'):
        options.add_argument(arg)
    options.add_experimental_option('prefs', {'intl.accept_languages': language})
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    options.binary_location = '/usr/bin/chromium'
    service = Service(executable_path="/usr/bin/chromedriver")
    return webdriver.Chrome(options=options, service=service)


class Server:
    """The site on localhost, as a static host serves it."""

    def __init__(self):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

        handler = functools.partial(Quiet, directory=str(SITE))
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.url = f'http://127.0.0.1:{self.httpd.server_port}/quorbit1.html'
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = browser()
        cls.server = Server()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()

    def open(self, url):
        self.driver.get(url)
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return document.body.dataset.ready === "true"'))
        self.input = self.driver.find_element(By.ID, 'input')

    def ok(self, text):
        self.input.clear()
        self.input.send_keys(text, Keys.ENTER)
        return (self.field('answer'), self.field('errors'))

    def field(self, name):
        return self.driver.find_element(By.ID, name).get_attribute('value')

    def test_from_disk_gives_the_tables_answers_and_messages(self):
        self.open(SITE.joinpath('quorbit1.html').as_uri())
        for line in DATA.joinpath('ok.tsv').read_text().splitlines():
            if not line or line.startswith('#'):
                continue
            name, text, unit, answer, message, mark, _ = line.split('\t')
            raw = unescape(text)
            # What a keyboard can type: no control characters, valid UTF-8, one line.
            if any(b < 32 for b in raw) or len(raw) > 200:
                continue
            try:
                typed = raw.decode()
            except UnicodeDecodeError:
                continue
            # A refused text shows the previous answer: start each row from a fresh page.
            self.open(SITE.joinpath('quorbit1.html').as_uri())
            self.driver.find_element(By.ID, 'radians' if unit == 'rad' else 'degrees').click()
            got = self.ok(typed)
            self.assertEqual(got, (answer, unescape(message).decode()), name)
            if int(mark) >= 0:
                start, end = self.driver.execute_script(
                    'return [arguments[0].selectionStart, arguments[0].selectionEnd]', self.input)
                marked = typed[:start].encode()
                self.assertEqual(len(marked), int(mark), name)
                self.assertGreater(end, start, name)

    def accessible_nodes(self):
        """What a screen reader is given: the browser's accessibility tree, as (role, name,
        properties) of the nodes it does not ignore."""
        tree = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})
        return [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''),
                 {p['name']: p['value'].get('value') for p in n.get('properties', [])})
                for n in tree['nodes'] if not n.get('ignored')]

    def test_a_screen_reader_finds_every_control_named_and_hears_new_messages(self):
        self.open(SITE.joinpath('quorbit1.html').as_uri())
        self.driver.find_element(By.ID, 'working-button').click()
        self.ok('2*3#')
        nodes = self.accessible_nodes()
        controls = [(role, name, props) for role, name, props in nodes
                    if role in ('button', 'textbox', 'radio')]
        self.assertGreaterEqual(len(controls), 11)
        for role, name, props in controls:
            self.assertTrue(name.strip(), f'a {role} without a name')
            self.assertTrue(props.get('focusable'), name)
            self.assertTrue(props.get('keyshortcuts') or name == 'Exit', name)
        # The answer and the message are fields a keyboard reaches, to read and copy.
        fields = {name: props.get('readonly') for role, name, props in controls
                  if role == 'textbox'}
        self.assertEqual(fields, {'Input Equation': False, 'Error Messages': True,
                                  'Answer is:': True})
        # A new message and answer are announced, politely.
        live = [(name, props.get('live')) for role, name, props in nodes if role == 'status']
        self.assertEqual(live, [('', 'polite')])
        self.assertEqual(self.driver.find_element(By.ID, 'announce').get_attribute('textContent'),
                         'Invalid character. 6')
        # The working's stages are tables a reader can walk, named by their titles.
        tables = [name for role, name, _ in nodes if role == 'table']
        self.assertEqual(tables[:2], ['after the scan', 'pass 1: started at term 1, swept terms 0 to 1'])
        headers = [name for role, name, _ in nodes if role == 'columnheader']
        self.assertEqual(headers[:6], ['term', 'op', 'value', 'function', 'open', 'close'])

    def test_the_faces_table(self):
        refusal = 'An expression of more than 100,000 characters is not taken; nothing was evaluated.'
        paste = ('arguments[0].value = arguments[1];'
                 'arguments[0].dispatchEvent(new Event("input"));')
        for line in DATA.joinpath('faces.tsv').read_text().splitlines():
            if not line or line.startswith('#'):
                continue
            name, text, repeat, answer, message, field = line.split('\t')
            try:
                typed = unescape(text).decode() * int(repeat)
            except UnicodeDecodeError:
                continue
            self.open(SITE.joinpath('quorbit1.html').as_uri())
            self.driver.execute_script(paste, self.input, typed)
            if field == 'taken':
                self.input.send_keys(Keys.ENTER)
                self.assertEqual((self.field('answer'), self.field('errors')), (answer, message),
                                 name)
            else:  # refused as it is pasted, and the field keeps what it held
                self.assertEqual((self.field('answer'), self.field('errors')), ('0', refusal))
                self.assertEqual(self.input.get_attribute('value'), '', name)

    def test_keyboard_reaches_every_field_and_keys_do_not_clash(self):
        for language in ('en-US', 'de-DE', 'fr-FR'):
            driver = browser(language)
            try:
                driver.get(SITE.joinpath('quorbit1.html').as_uri())
                WebDriverWait(driver, 10).until(
                    lambda d: d.execute_script('return document.body.dataset.ready === "true"'))
                # One scope: the form and its menu; each access key once.
                keys = driver.execute_script(
                    'return [...document.querySelectorAll("[accesskey]")]'
                    '.filter((e) => !e.closest("dialog")).map((e) => e.accessKey)')
                self.assertEqual(len(keys), len(set(keys)), f'{language}: {sorted(keys)}')
                self.assertGreaterEqual(len(keys), 12, language)
                field = driver.find_element(By.ID, 'input')
                field.send_keys('2*3#', Keys.ENTER)
                # Tab goes from the expression to the message and the answer, which can be read
                # and copied but not changed.
                field.send_keys(Keys.TAB)
                self.assertEqual(driver.switch_to.active_element.get_attribute('id'), 'errors')
                driver.switch_to.active_element.send_keys(Keys.TAB)
                answer = driver.switch_to.active_element
                self.assertEqual(answer.get_attribute('id'), 'answer')
                answer.send_keys('9')
                self.assertEqual(answer.get_attribute('value'), '6')
                # Opened from disk, the page asks for nothing it cannot have.
                errors = [e for e in driver.get_log('browser') if e['level'] == 'SEVERE']
                self.assertEqual(errors, [], language)
            finally:
                driver.quit()

    def test_the_field_refuses_more_than_its_limit_and_cuts_no_character(self):
        self.open(SITE.joinpath('quorbit1.html').as_uri())
        self.assertEqual(self.ok('1+1'), ('2', ''))
        paste = ('arguments[0].value = arguments[1];'
                 'arguments[0].dispatchEvent(new Event("input"));')
        self.driver.execute_script(paste, self.input, '1' * 100001)
        self.assertEqual(self.input.get_attribute('value'), '1+1')
        refusal = 'An expression of more than 100,000 characters is not taken; nothing was evaluated.'
        self.assertEqual(self.field('errors'), refusal)
        # Set without an input event (as a script might), OK refuses it all the same.
        self.driver.execute_script('arguments[0].value = arguments[1]', self.input, '2' * 100001)
        self.input.send_keys(Keys.ENTER)
        self.assertEqual((self.field('answer'), self.field('errors')), ('2', refusal))
        self.driver.execute_script(paste, self.input, '\U0001F600' * 100000)
        self.input.send_keys(Keys.ENTER)
        self.assertEqual(self.field('errors'), 'Invalid character.')
        # The working shows the two ends of a long text, whole characters only.
        self.driver.find_element(By.ID, 'working-button').click()
        shown = self.driver.find_element(By.CSS_SELECTOR, '#working-text p').text
        self.assertTrue(shown.startswith('\U0001F600' * 200 + ' \u2026 ' + '\U0001F600' * 200), shown[:20])
        self.driver.find_element(By.ID, 'working-button').click()

    def test_a_phone_wide_screen_needs_no_sideways_scrolling(self):
        self.driver.set_window_size(360, 740)
        try:
            self.open(SITE.joinpath('quorbit1.html').as_uri())
            self.driver.find_element(By.ID, 'working-button').click()
            self.assertEqual(self.ok('10 + cos(45)'), ('10.7071067859062', ''))
            width = 'return [document.documentElement.scrollWidth, window.innerWidth]'
            scrolled, viewport = self.driver.execute_script(width)
            self.assertLessEqual(scrolled, viewport)
            # The working goes below the form, not beside it.
            form, working = (self.driver.find_element(By.ID, i).rect for i in ('form', 'working'))
            self.assertGreaterEqual(working['y'], form['y'] + form['height'])
        finally:
            self.driver.set_window_size(1100, 800)

    def test_served_page_recalls_clears_and_works_offline(self):
        # The folder's address gives the calculator too.
        self.open(self.server.url.replace('quorbit1.html', ''))
        self.open(self.server.url)
        self.driver.execute_script('localStorage.clear()')
        self.open(self.server.url)
        self.assertEqual(self.ok('10 + cos(45)'), ('10.7071067859062', ''))
        self.assertEqual(self.ok('2*3'), ('6', ''))
        self.open(self.server.url)  # a reload keeps the history
        self.input.send_keys(Keys.ARROW_UP)
        self.assertEqual(self.input.get_attribute('value'), '2*3')
        self.input.send_keys(Keys.ARROW_UP)
        self.assertEqual(self.input.get_attribute('value'), '10 + cos(45)')
        self.input.send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        self.assertEqual(self.input.get_attribute('value'), '')

        # Variables, then an expression that uses them.
        self.driver.find_element(By.ID, 'variables-button').click()
        x = self.driver.find_element(By.CSS_SELECTOR, '#variables-fields input[data-slot="0"]')
        x.clear()
        x.send_keys('abc', Keys.ENTER)
        self.assertIn('X', self.driver.find_element(By.ID, 'variables-message').text)
        x.clear()
        x.send_keys('2.5', Keys.ENTER)
        self.assertEqual(self.ok('x+1'), ('3.5', ''))

        # Show Working, F1 and Escape.
        self.driver.find_element(By.ID, 'working-button').click()
        working = self.driver.find_element(By.ID, 'working-text').text
        self.assertIn('Answer: 3.5', working)
        self.assertIn('Read with the usual precedence it would give 3.5.', working)
        self.assertIn('Read as 2.5+1', working)
        self.assertIn('after the scan', working)
        self.input.send_keys(Keys.F1)
        self.assertTrue(self.driver.execute_script('return document.getElementById("help-dialog").open'))
        self.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
        self.assertFalse(self.driver.execute_script('return document.getElementById("help-dialog").open'))
        if SCREENSHOT:
            self.driver.save_screenshot(SCREENSHOT)

        # Clear History asks first; Cancel keeps, OK empties.
        self.driver.find_element(By.ID, 'clear-button').click()
        self.assertIn('3', self.driver.find_element(By.ID, 'clear-question').text)
        self.driver.find_element(By.ID, 'clear-confirm').click()
        # The dialog's close event, which clears, is a task of its own after the click.
        WebDriverWait(self.driver, 5).until(lambda d: self.field('errors') == 'History cleared.')
        self.assertEqual(self.field('errors'), 'History cleared.')
        self.input.clear()
        self.input.send_keys(Keys.ARROW_UP)  # nothing left to recall
        self.assertEqual(self.input.get_attribute('value'), '')

        # Offline: once the service worker controls the page, it loads with the server gone.
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return navigator.serviceWorker.ready.then(() => true)'))
        self.open(self.server.url)
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script('return !!navigator.serviceWorker.controller'))
        self.server.stop()
        self.open(self.server.url)
        self.assertEqual(self.ok('2^10'), ('1024', ''))
        self.__class__.server = Server()


class German(unittest.TestCase):
    def test_the_page_speaks_the_browsers_language(self):
        driver = browser('de-DE')
        try:
            driver.get(SITE.joinpath('quorbit1.html').as_uri())
            WebDriverWait(driver, 10).until(
                lambda d: d.execute_script('return document.body.dataset.ready === "true"'))
            self.assertIn('Rechenweg', driver.find_element(By.ID, 'working-button').text)
            field = driver.find_element(By.ID, 'input')
            field.send_keys('ln(-1)', Keys.ENTER)
            message = driver.find_element(By.ID, 'errors').get_attribute('value')
            self.assertNotIn(message, ('', 'Ln negatives not allowed.'))
            # The working in German too: the stages' titles, the columns, why the usual reading
            # refuses.
            field.clear()
            field.send_keys('2*3#', Keys.ENTER)
            driver.find_element(By.ID, 'working-button').click()
            working = driver.find_element(By.ID, 'working-text').text
            self.assertIn('nach dem Einlesen', working)
            self.assertIn('Durchgang 1', working)
            self.assertIn('unerwartetes „#“ an Position 4', working)
            self.assertNotIn('after the scan', working)
            # The longer German captions are shown whole, beside the form at 1280 pixels: their
            # text ends inside the panel.
            driver.set_window_size(1280, 800)
            field.clear()
            field.send_keys('1+' * 30 + '2*3#', Keys.ENTER)
            clipped = driver.execute_script(
                'const panel = document.getElementById("working-text").getBoundingClientRect();'
                'return [...document.querySelectorAll("#working caption")].filter((c) => {'
                '  const text = document.createRange();'
                '  text.selectNodeContents(c);'
                '  return text.getBoundingClientRect().right > panel.right;'
                '}).map((c) => c.textContent)')
            self.assertEqual(clipped, [])
        finally:
            driver.quit()


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
