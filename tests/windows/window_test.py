#!/usr/bin/python3
"""The Windows window, its zip and its installer, used under Wine as a person would: on a
virtual display (Xvfb, Wine's own desktop), typing with xdotool and reading the fields through
the clipboard (Alt+A selects the answer, Ctrl+C copies it).

For each architecture's build: the layout checker at 96, 144 and 192 DPI and in German and
French (x64, where the tests are built); screenshots of the window at the three DPIs; the
zip's quorbit1.exe answering a table of texts and random ones exactly as the Linux
quorbit1-cli does; the access keys, About, help, Variables, Show Working and Clear History
opened and closed; the history shared with quorbit1-cli.exe in both directions; German for a
German user; Escape closing the window; the installer installing silently for the user, with a
Start menu entry and an uninstaller that takes the programs away and leaves the history.

Usage: window_test.py LINUX_CLI BUILD_DIR... (each a Windows build folder after make windows)
"""
import json
import os
import pty
import random
import select
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

DESKTOP = 'Test'
SCREEN = '1280x800'
FAILURES = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what, flush=True)
    if not ok:
        FAILURES.append(what)
    return ok


class Session:
    """One Wine prefix on one virtual X display, for one architecture's build."""

    def __init__(self, build, work):
        self.build = build
        self.work = work
        self.prefix = work / 'wine'
        self.shots = build / 'screenshots'
        self.shots.mkdir(exist_ok=True)
        self.xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', SCREEN + 'x24',
                                      '-nolisten', 'tcp'], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        display = self.xvfb.stdout.readline().decode().strip()
        self.env = dict(os.environ, DISPLAY=':' + display, WINEPREFIX=str(self.prefix),
                        WINEDEBUG='-all', LC_ALL='C.UTF-8')
        self.env.pop('LANG', None)
        self.prefix.mkdir(parents=True, exist_ok=True)
        self.run(['wineboot', '--init'])
        self.run(['wineserver', '--persistent'])
        self.window = None

    def close(self):
        self.run(['wineserver', '--kill'])
        self.xvfb.kill()

    def run(self, args, check_rc=False, **kw):
        result = subprocess.run(args, env=kw.pop('env', self.env), stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, **kw)
        if check_rc and result.returncode != 0:
            raise RuntimeError(f'{args} exited {result.returncode}')
        return result.stdout.decode(errors='replace')

    def local_app_data(self):
        users = [u for u in (self.prefix / 'drive_c' / 'users').iterdir() if u.name != 'Public']
        return users[0] / 'AppData' / 'Local'

    def history(self):
        path = self.local_app_data() / 'Quorbit1' / 'history'
        return path.read_text(encoding='utf-8').splitlines() if path.exists() else None

    def set_dpi(self, dpi):
        self.run(['wine', 'reg', 'add', r'HKCU\Control Panel\Desktop', '/v', 'LogPixels', '/t',
                  'REG_DWORD', '/d', str(dpi), '/f'])

    def forget_place(self):
        self.run(['wine', 'reg', 'delete', r'HKCU\Software\Quorbit1', '/f'])

    # --- The window --------------------------------------------------------------------------
    def start(self, exe, language=None):
        env = dict(self.env)
        if language:
            env['LC_ALL'] = language + '.UTF-8'
        began = time.monotonic()
        self.window = subprocess.Popen(['wine', 'explorer', f'/desktop={DESKTOP},{SCREEN}',
                                        str(exe)], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        # Ready when the answer field, selected with its access key, copies its first "0".
        deadline = began + 60
        while time.monotonic() < deadline:
            ids = self.run(['xdotool', 'search', '--name', f'^{DESKTOP} - '], check_rc=False)
            if ids.strip():
                self.run(['xdotool', 'windowfocus', ids.split()[0]])
                if self.copy_field('alt+e' if language == 'de_DE' else 'alt+a') == '0':
                    return time.monotonic() - began
            time.sleep(0.5)
        raise RuntimeError(f'{exe} did not open')

    def stop(self):
        self.key('Escape')
        try:
            self.window.wait(timeout=20)
            return True
        except subprocess.TimeoutExpired:
            self.window.kill()
            self.run(['wineserver', '--kill'])
            self.run(['wineserver', '--persistent'])
            return False

    def key(self, *keys):
        self.run(['xdotool', 'key', '--delay', '60', *keys])
        time.sleep(0.3)

    def type(self, text):
        if text:
            self.run(['xdotool', 'type', '--delay', '25', '--', text])

    def copy_field(self, access_key):
        """The text of the field the access key leads to (which selects all of it)."""
        sentinel = f'<nothing copied {random.random()}>'
        subprocess.run(['xclip', '-selection', 'clipboard', '-i'], input=sentinel.encode(),
                       env=self.env, check=False, stderr=subprocess.DEVNULL)
        self.key(access_key, 'ctrl+c')
        for _ in range(10):
            copied = subprocess.run(['xclip', '-selection', 'clipboard', '-o'], env=self.env,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    timeout=5).stdout.decode('utf-8', errors='replace')
            if copied != sentinel:
                return copied
            time.sleep(0.2)
        return ''  # an empty field copies nothing

    def evaluate(self, text, radians=False, answer_key='alt+a', message_key='alt+e',
                 input_key='alt+i'):
        self.key(input_key)
        if text:
            self.type(text)
        else:
            self.key('BackSpace')
        self.key('alt+r' if radians else 'alt+d', 'Return')
        return self.copy_field(answer_key), self.copy_field(message_key)

    def screen(self, name=None):
        path = self.work / 'screen.png'
        self.run(['import', '-window', 'root', str(path)], check_rc=True)
        if name:
            # The window alone: the desktop's plain background trimmed away.
            self.run(['convert', str(path), '-trim', '+repage', str(self.shots / name)],
                     check_rc=True)
        return path.read_bytes()

    def wait_for_screen(self, before, wanted, seconds=8):
        """Pixels changed since before, once wanted(changed) or the time is up."""
        end = time.monotonic() + seconds
        while True:
            time.sleep(0.3)
            changed = self.differs(before, self.screen())
            if wanted(changed) or time.monotonic() > end:
                return changed

    def differs(self, before, after):
        """Pixels that differ between two screens: a caret blinks in a few, a window is more."""
        a, b = self.work / 'a.png', self.work / 'b.png'
        a.write_bytes(before)
        b.write_bytes(after)
        out = subprocess.run(['compare', '-metric', 'AE', str(a), str(b), 'null:'],
                             stderr=subprocess.PIPE, env=self.env).stderr.decode()
        return int(float(out.split()[0]))


def cli_expected(cli, text, radians=False, slots=()):
    args = [cli, '--json'] + (['--radians'] if radians else [])
    for s in slots:
        args += ['--set', s]
    line = subprocess.run(args + ['--', text], stdout=subprocess.PIPE, check=False).stdout
    result = json.loads(line)
    return result['answer'], result['message'], result['evaluated']


# Texts a person types: answers and messages of every kind, both units.
TABLE = [
    ('2*3+4', False), ('10 + cos(45)', False), ('2^10', False), ('sin(30)', False),
    ('sin(30)', True), ('1/3', False), ('0*5', False), ('5/0', False), ('2-cos(60)', False),
    ('1.2.3', False), ('(2+3', False), ('2++3', False), ('log(-1)', False), ('ln(0)', False),
    ('asin(2)', True), ('atan(1)', True), ('99^99^99', False), ('', False), ('x=10', False),
    ('sin(sin(1))', False), ('2*e', False), ('-(cos(45))', False),
]


def random_texts(seed, count):
    rng = random.Random(seed)
    names = ['sin', 'cos', 'tan', 'asin', 'acos', 'atan', 'log', 'ln', 'alog', 'aln']

    def term(depth):
        pick = rng.random()
        if depth < 2 and pick < 0.25:
            return rng.choice(names) + '(' + expr(depth + 1) + ')'
        if depth < 2 and pick < 0.4:
            return '(' + expr(depth + 1) + ')'
        return rng.choice(['0', '1', '2', '7', '0.5', '12.25', '3.14159', '45', '90', '1000'])

    def expr(depth):
        parts = [term(depth)]
        for _ in range(rng.randint(0, 3)):
            parts += [rng.choice('+-*/^'), term(depth)]
        return ''.join(parts)

    return [(expr(0), rng.random() < 0.3) for _ in range(count)]


def check_answers(s, cli, texts, label):
    shown = s.copy_field('alt+a')
    for text, radians in texts:
        got = s.evaluate(text, radians)
        answer, message, evaluated = cli_expected(cli, text, radians)
        # A text that is not evaluated leaves the answer the window showed before.
        answer = answer if evaluated else shown
        shown = got[0]
        check(got == (answer, message),
              f'{label}: {text!r} in {"radians" if radians else "degrees"} gives {got}, '
              f'quorbit1-cli {(answer, message)}')


def check_field(s):
    """The offending character selected; a paste beyond the field's limit refused whole."""
    # OK leaves the focus in the expression field with the character selected.
    s.key('alt+i')
    s.type('12+#3')
    s.key('Return', 'ctrl+c')
    time.sleep(0.5)
    marked = subprocess.run(['xclip', '-selection', 'clipboard', '-o'], env=s.env,
                            stdout=subprocess.PIPE).stdout.decode()
    check(marked == '#', f'the offending character is selected: {marked!r}')
    s.evaluate('1+1')
    subprocess.run(['xclip', '-selection', 'clipboard', '-i'], env=s.env, check=True,
                   stderr=subprocess.DEVNULL, input=('1+' * 50000 + '12').encode())  # 100,002
    time.sleep(2)  # Wine takes in what another program put on the clipboard a moment later
    s.key('alt+i', 'ctrl+v')
    message = ''
    for _ in range(30):  # a paste that large takes Wine a moment
        time.sleep(0.5)
        message = s.copy_field('alt+e')
        if message:
            break
    field = s.copy_field('alt+i')
    check(message == 'An expression of more than 100,000 characters is not taken; nothing was '
                     'evaluated.' and field == '1+1',
          f'a paste of 100,002 characters is refused whole: {message!r}, field {field[:20]!r}')


def check_windows_open_and_close(s):
    """About, help, Variables, Show Working and the system menu's About, by their keys."""
    # Wine's desktop shows the window inactive until a window of its own closes: one round
    # first, so that the screens before and after each check differ only by the dialog.
    before = s.screen()
    s.key('alt+h')
    s.wait_for_screen(before, lambda n: n > 2000)
    s.key('Escape')
    time.sleep(1)
    for keys, name in [(['alt+b'], 'About (menu)'), (['alt+h'], 'A Little Help'),
                       (['F1'], 'A Little Help (F1)'), (['alt+space', 'a'], 'About (system menu)')]:
        before = s.screen()
        s.key(*keys)
        changed = s.wait_for_screen(before, lambda n: n > 2000)
        s.key('Escape')
        left = s.wait_for_screen(before, lambda n: n < 400)
        check(changed > 2000 and left < 400,
              f'{name} opens ({changed} pixels changed) and closes ({left} left changed)')
    # Variables: X is selected, so typing replaces it.
    before = s.screen()
    s.key('alt+v')
    s.wait_for_screen(before, lambda n: n > 2000)
    s.type('2')
    s.key('Return')
    got = s.evaluate('x^3')
    check(got == cli_expected(s.cli, 'x^3', slots=['X=2'])[:2], f'Variables: X=2, x^3 gives {got}')
    s.evaluate('2*3+4')
    before = s.screen()
    s.key('alt+w')
    check(s.wait_for_screen(before, lambda n: n > 20000) > 20000, 'Show Working opens a window')


def ask_to_clear(s):
    """The form's menu from the keyboard (on the focused OK button), then Clear History."""
    before = s.screen()
    s.key('shift+F10')
    s.wait_for_screen(before, lambda n: n > 500)
    menu = s.screen()
    s.key('c')
    s.wait_for_screen(menu, lambda n: n > 2000)


def check_clear_history(s):
    count = len(s.history() or [])
    # Clear History, then the question's OK (Cancel is its default).
    s.key('alt+d', 'Tab')
    ask_to_clear(s)
    s.key('Escape')  # the question's Cancel: nothing goes
    check(len(s.history() or []) == count and count > 0, 'Clear History asks, and Cancel keeps it')
    s.key('alt+d', 'Tab')
    ask_to_clear(s)
    s.key('shift+Tab', 'Return')
    time.sleep(0.5)
    message = s.copy_field('alt+e')
    check(message == 'History cleared.' and not s.history(),
          f'Clear History empties it: {message!r}, file {s.history()}')


def cli_session(s, cli_exe, keys):
    """An interactive quorbit1-cli.exe on a terminal: the keys typed, what it printed."""
    pid, fd = pty.fork()
    if pid == 0:
        os.execvpe('wine', ['wine', str(cli_exe)], s.env)
    out = b''

    def read(seconds):
        nonlocal out
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            ready, _, _ = select.select([fd], [], [], 0.2)
            if ready:
                try:
                    out += os.read(fd, 4096)
                except OSError:
                    return
    read(8)
    for k in keys:
        os.write(fd, k)
        read(1.5)
    os.write(fd, b'\x04')  # Ctrl+D on an empty line: the end
    read(3)
    for _ in range(20):
        if os.waitpid(pid, os.WNOHANG)[0] != 0:
            break
        time.sleep(0.5)
    else:
        os.kill(pid, 9)
        os.waitpid(pid, 0)
    os.close(fd)
    return out.decode('utf-8', errors='replace')


def check_history_shared(s, folder, typed):
    # The history's rules: evaluated texts (not empty, no '='), a repeat of the last one once.
    evaluated = []
    for text, _ in typed:
        if text and '=' not in text and (not evaluated or evaluated[-1] != text):
            evaluated.append(text)
    history = s.history() or []
    check(history[-len(evaluated):] == evaluated[-len(history):] if history else False,
          f'the window keeps what it evaluated in %LOCALAPPDATA%\\Quorbit1\\history '
          f'({len(history)} lines)')
    # The console program recalls the window's last expression with Up, and adds its own.
    printed = cli_session(s, folder / 'quorbit1-cli.exe', [b'\x1b[A', b'\r', b'7*6\r'])
    answer = cli_expected(s.cli, evaluated[-1])[0]
    check(evaluated[-1] in printed and answer in printed and '42' in printed,
          f'quorbit1-cli.exe recalls {evaluated[-1]!r} from the window and answers {answer}')
    # ... which the window, opened again, recalls with Up.
    s.start(folder / 'quorbit1.exe')
    s.key('alt+i', 'Up')
    recalled = s.copy_field('alt+i')
    check(recalled == '7*6', f'the window recalls quorbit1-cli.exe\'s 7*6: {recalled!r}')
    check(s.stop(), 'Escape closes the window')


def check_layout(s, checker):
    for dpi, language, place in [(96, None, None), (144, None, None), (192, None, None),
                                 (96, 'de_DE', None), (96, 'fr_FR', None),
                                 (96, None, (100, 50, 700)), (96, None, (100, 50, 20)),
                                 (96, None, (5000, 40, 600))]:
        s.set_dpi(dpi)
        s.forget_place()
        for name, value in zip(('WindowX', 'WindowY', 'WindowWidth'), place or ()):
            s.run(['wine', 'reg', 'add', r'HKCU\Software\Quorbit1', '/v', name, '/t', 'REG_DWORD',
                   '/d', str(value), '/f'])
        report = s.work / 'layout.txt'
        env = dict(s.env, **({'LC_ALL': language + '.UTF-8'} if language else {}))
        s.run(['wine', 'explorer', f'/desktop={DESKTOP},{SCREEN}', str(checker),
               'Z:' + str(report).replace('/', '\\')], env=env, timeout=120)
        lines = report.read_text(encoding='utf-8').splitlines() if report.exists() else []
        if not place:
            (s.shots / f'layout-{language or "en"}-{dpi}dpi.txt').write_text('\n'.join(lines) +
                                                                            '\n')
        window = next((line.split()[1:] for line in lines if line.startswith('window ')), [])
        check(bool(lines) and lines[-1] == 'all texts whole' and
              not any(line.startswith('FAIL') for line in lines) and
              (not place or place[0] > 1280 or window[:2] == [str(place[0]), str(place[1])]),
              f'layout at {dpi} DPI, {language or "en"}, left at {place}: ' +
              '; '.join(line for line in lines if not line.startswith('ok ')))
    s.set_dpi(96)


def check_installer(s, setup, arch):
    s.run(['wine', str(setup), '/S'], timeout=120)
    local = s.local_app_data()
    folder = local / 'Programs' / 'Quorbit1'
    roaming = local.parent / 'Roaming'
    link = roaming / 'Microsoft' / 'Windows' / 'Start Menu' / 'Programs' / 'Quorbit1.lnk'
    key = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbit1'
    listed = s.run(['wine', 'reg', 'query', key])
    check(all((folder / f).exists() for f in ('quorbit1.exe', 'quorbit1-cli.exe',
                                               'quorbit1.html', 'uninstall.exe')),
          f'{arch} installer: the programs in %LOCALAPPDATA%\\Programs\\Quorbit1')
    check(link.exists(), f'{arch} installer: a Start menu entry')
    check('UninstallString' in listed and 'Quorbit1' in listed,
          f'{arch} installer: listed with the installed apps')
    s.start(folder / 'quorbit1.exe')
    got = s.evaluate('2^3^2')
    check(got == cli_expected(s.cli, '2^3^2')[:2], f'{arch} installed window answers: {got}')
    s.stop()
    history_before = s.history()
    s.run(['wine', str(folder / 'uninstall.exe'), '/S'], timeout=120)
    for _ in range(60):  # the uninstaller runs a copy of itself and returns at once
        if not (folder / 'quorbit1.exe').exists() and not link.exists():
            break
        time.sleep(0.5)
    check(not folder.exists() and not link.exists(),
          f'{arch} uninstaller: the programs and the Start menu entry are gone')
    check(history_before is not None and s.history() == history_before,
          f'{arch} uninstaller: the history stays')
    check('Quorbit1' not in s.run(['wine', 'reg', 'query', key]),
          f'{arch} uninstaller: no longer listed')


def test_build(cli, build):
    zips = sorted(build.glob('quorbit1-*-windows-*.zip'))
    setups = sorted(build.glob('quorbit1-*-windows-*-setup.exe'))
    if not check(len(zips) == 1 and len(setups) == 1, f'{build}: one zip and one installer'):
        return
    arch = zips[0].stem.rsplit('-', 1)[1]
    work = Path(tempfile.mkdtemp(prefix=f'quorbit1-window-{arch}-', dir=build))
    s = Session(build, work)
    s.cli = cli
    try:
        with zipfile.ZipFile(zips[0]) as z:
            z.extractall(work)
            names = sorted(Path(n).name for n in z.namelist())
            sizes = {Path(i.filename).name: i.file_size for i in z.infolist()}
        check(names == ['LICENSE.txt', 'README.txt', 'quorbit1-cli.exe', 'quorbit1.exe',
                        'quorbit1.html'], f'{arch} zip holds {names}')
        print(f'     {arch} sizes: quorbit1.exe {sizes.get("quorbit1.exe")} bytes, '
              f'quorbit1-cli.exe {sizes.get("quorbit1-cli.exe")} bytes, installer '
              f'{setups[0].stat().st_size} bytes')
        folder = work / zips[0].stem
        checker = build / 'tests' / 'window_check.exe'
        if checker.exists():
            check_layout(s, checker)
        for dpi in (96, 144, 192):
            s.set_dpi(dpi)
            s.forget_place()
            seconds = s.start(folder / 'quorbit1.exe')
            print(f'     {arch} start-up under Wine at {dpi} DPI: {seconds:.1f} s')
            s.evaluate('10 + cos(45)')
            s.screen(f'quorbit1-{arch}-{dpi}dpi.png')
            check(s.stop(), f'{arch} at {dpi} DPI: Escape closes the window')
            saved = s.run(['wine', 'reg', 'query', r'HKCU\Software\Quorbit1'])
            check(all(v in saved for v in ('WindowX', 'WindowY', 'WindowWidth')),
                  f'{arch} at {dpi} DPI: the window\'s place is kept for the user')
        s.set_dpi(96)

        s.start(folder / 'quorbit1.exe')
        seed = int(os.environ.get('QUORBIT1_WINDOW_SEED', time.time()))
        print(f'     random texts with QUORBIT1_WINDOW_SEED={seed}')
        typed = TABLE + random_texts(seed, 12)
        check_answers(s, cli, typed, arch)
        check_field(s)
        typed += [('12+#3', False), ('1+1', False)]
        check_windows_open_and_close(s)
        check(s.stop(), f'{arch}: Escape closes the window (and the working window with it)')
        check_history_shared(s, folder, typed + [('x^3', False), ('2*3+4', False)])
        s.start(folder / 'quorbit1.exe')
        check_clear_history(s)
        s.stop()

        # German for a German user: the messages, the access keys (Ergebnis: Alt+E).
        s.start(folder / 'quorbit1.exe', language='de_DE')
        got = s.evaluate('2++3', answer_key='alt+e', message_key='alt+f', input_key='alt+g')
        check(got == (cli_expected(cli, '2++3')[0], 'Zwei Operatoren hintereinander.'),
              f'{arch} in German: {got}')
        s.stop()
        check_installer(s, setups[0], arch)
    finally:
        s.close()
        shutil.rmtree(work / 'wine', ignore_errors=True)


def main():
    cli = sys.argv[1]
    for build in sys.argv[2:]:
        test_build(cli, Path(build).resolve())
    print(f'{len(FAILURES)} failed' if FAILURES else 'window tests: all passed')
    return 1 if FAILURES else 0


if __name__ == '__main__':
    sys.exit(main())
