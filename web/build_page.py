#!/usr/bin/python3
"""Assembles the page: quorbit1.html with its styles, strings, WebAssembly module and script
inline, and beside it what a host serves for the app: the manifest, the icons and the service
worker that keeps everything for offline use.

The strings are the dialog's own: the English sources and their German and French translations
from ui/translations/*.ts, which lupdate makes from the dialog's .ui and source files.

Usage: build_page.py SOURCE_DIR MODULE_JS OUT_DIR
"""
import base64
import hashlib
import json
import re
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'ui' / 'translations'))
from ts_strings import strings  # noqa: E402


def sha256(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main():
    source, module_js, out = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    page = source / 'web' / 'page'
    out.mkdir(parents=True, exist_ok=True)
    icons = source / 'ui' / 'icons'
    icon_data = 'data:image/png;base64,' + base64.b64encode(
        (icons / 'quorbit1-64.png').read_bytes()).decode()

    # The module and the calculator's JavaScript wrapper are ES modules, as node and other
    # programs import them; on the page they go before the page's script in one module script,
    # their exports plain names.
    unexported = lambda text: re.sub(r'^export (default \w+;$)?', '', text, flags=re.M)
    wrapper = unexported((source / 'web' / 'js' / 'quorbit1.mjs').read_text())
    scripts = [
        'const QUORBIT1_STRINGS = ' + json.dumps(strings(source / 'ui' / 'translations'),
                                                 ensure_ascii=False, sort_keys=True) + ';',
        unexported(module_js.read_text()) + '\n' + wrapper + '\n' + (page / 'page.js').read_text(),
    ]
    style = (page / 'page.css').read_text()
    # Nothing from another origin, nothing inline but these two scripts and this style; the
    # module's WebAssembly comes as a data: URL inside the module script.
    csp = '; '.join([
        "default-src 'none'",
        'script-src ' + ' '.join(sha256(s) for s in scripts) + " 'wasm-unsafe-eval'",
        'style-src ' + sha256(style),
        "img-src 'self' data:",
        "connect-src 'self' data:",
        "manifest-src 'self'",
        "worker-src 'self'",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    html = (page / 'quorbit1.html').read_text()
    for key, value in [('@CSP@', csp), ('@ICON@', icon_data), ('@STYLE@', style),
                       ('@STRINGS@', scripts[0]), ('@SCRIPT@', scripts[1])]:
        html = html.replace(key, value)
    (out / 'quorbit1.html').write_text(html)
    # The same page as the folder's index, for a host that serves "/" as index.html.
    (out / 'index.html').write_text(html)

    # The app's files for a host: the manifest, the icons, and the service worker with the list
    # of what it keeps, named after the page's digest so that a new page replaces the old.
    for size in (128, 256):
        shutil.copyfile(icons / f'quorbit1-{size}.png', out / f'icon-{size}.png')
    shutil.copyfile(icons / 'quorbit1.svg', out / 'icon.svg')
    manifest = {
        'name': 'Quorbit1', 'short_name': 'Quorbit1', 'start_url': 'quorbit1.html',
        'scope': './', 'display': 'standalone', 'background_color': '#ffffff',
        'theme_color': '#2b5797',
        'icons': [{'src': 'icon.svg', 'sizes': 'any', 'type': 'image/svg+xml'},
                  {'src': 'icon-128.png', 'sizes': '128x128', 'type': 'image/png'},
                  {'src': 'icon-256.png', 'sizes': '256x256', 'type': 'image/png'}],
    }
    (out / 'manifest.webmanifest').write_text(json.dumps(manifest, indent=1))
    files = ['quorbit1.html', 'index.html', 'manifest.webmanifest', 'icon.svg', 'icon-128.png', 'icon-256.png']
    digest = hashlib.sha256(html.encode()).hexdigest()[:16]
    worker = (page / 'sw.js').read_text().replace('@CACHE@', 'quorbit1-' + digest) \
        .replace('@FILES@', json.dumps(files))
    (out / 'sw.js').write_text(worker)
    print(out / 'quorbit1.html')


if __name__ == '__main__':
    main()
