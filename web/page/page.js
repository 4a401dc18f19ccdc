// The form's behaviour: the OK command, recall, the dialogs and the working panel. Every rule
// (evaluation, messages, what the history keeps) is the WebAssembly module's, the desktop's own
// code; this script only reads the controls, calls it and shows what it says.
'use strict';

(async () => {
  const $ = (id) => document.getElementById(id);
  const q1 = await createQuorbit1();
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // --- Texts: the dialog's own, from its .ui and .ts files, in the browser's language. ---
  const languages = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || 'en'];
  const lang = languages.map((l) => l.slice(0, 2).toLowerCase()).find((l) => l === 'en' || QUORBIT1_STRINGS[l]) || 'en';
  document.documentElement.lang = lang;
  // key: "context|source" as the .ts files have them; the English source when untranslated.
  const text = (key) => {
    const table = QUORBIT1_STRINGS[lang];
    return (table && table[key]) || key.slice(key.indexOf('|') + 1);
  };
  const arg = (s, ...values) => s.replace(/%(\d)/g, (m, n) => values[Number(n) - 1] ?? m);
  const withoutAmpersand = (s) => s.replace(/&(.)/g, '$1');
  // "&Degrees": the label with its access key underlined, and the key for accesskey.
  function setLabel(element, key) {
    const s = text(key);
    const at = s.search(/&[^&]/);
    element.textContent = '';
    if (at < 0) {
      element.textContent = s;
      return;
    }
    element.append(s.slice(0, at));
    const u = document.createElement('u');
    u.textContent = s[at + 1];
    element.append(u, s.slice(at + 2));
    const target = element.closest('button') || element.closest('label')?.querySelector('input') ||
      (element.htmlFor ? $(element.htmlFor) : null) || element;
    target.accessKey = s[at + 1].toLowerCase();
  }
  for (const element of document.querySelectorAll('[data-text]')) {
    setLabel(element, element.dataset.text);
  }
  const cancelText = { de: 'Abbrechen', fr: 'Annuler' }[lang] || 'Cancel';
  document.querySelector('#clear-dialog button[value=cancel]').textContent = cancelText;
  $('menu').setAttribute('aria-label', text('quorbit1::CQuorbit1Dlg|Menu bar'));
  const version = arg(text('quorbit1::CQuorbit1Dlg|Quorbit1 Version %1'), QUORBIT1_VERSION);
  $('version').textContent = version;
  $('about-version').textContent = version;
  document.title = withoutAmpersand(text('CQuorbit1Dlg|Quorbit1'));

  // --- The OK command. ---
  const input = $('input');
  const unit = () => Number(document.querySelector('input[name=unit]:checked').value);
  let lastOutcome = null;

  function withCString(s, call) {
    const bytes = encoder.encode(s);
    const ptr = q1._malloc(bytes.length + 1);
    q1.HEAPU8.set(bytes, ptr);
    q1.HEAPU8[ptr + bytes.length] = 0;
    try {
      return call(ptr);
    } finally {
      q1._free(ptr);
    }
  }

  // The string index in s of the character that starts at UTF-8 byte offset bytes.
  function indexOfByte(s, bytes) {
    let count = 0;
    let i = 0;
    for (const ch of s) {
      if (count >= bytes) break;
      count += encoder.encode(ch).length;
      i += ch.length;
    }
    return i;
  }

  function ok() {
    const s = input.value;
    const angleMode = unit();
    const outcome = JSON.parse(withCString(s, (p) => {
      const at = q1._quorbit1_ok(p, angleMode);
      return decoder.decode(q1.HEAPU8.subarray(at, at + q1._quorbit1_ok_length()));
    }));
    lastOutcome = { text: s, angleMode, outcome };
    $('answer').textContent = outcome.answer;
    $('errors').textContent = outcome.message ? text('quorbit1::Message|' + outcome.message) : '';
    if (outcome.evaluated) remember(s);
    const mark = q1._quorbit1_mark_position();
    input.focus();
    if (mark >= 0) {
      const at = indexOfByte(s, mark);
      const ch = [...s.slice(at)][0] || '';
      input.setSelectionRange(at, at + ch.length);
    }
    showWorking();
  }

  $('ok-form').addEventListener('submit', (event) => {
    event.preventDefault();
    ok();
  });

  // --- The history: the browser's storage holds the text of a history file. ---
  const storageKey = 'quorbit1.history';
  function readStored() {
    let stored = '';
    try {
      stored = localStorage.getItem(storageKey) || '';
    } catch (e) {
      stored = '';
    }
    withCString(stored, (p) => q1._quorbit1_history_read(p));
  }
  function store() {
    try {
      localStorage.setItem(storageKey, q1.UTF8ToString(q1._quorbit1_history_text()));
    } catch (e) {
      // Storage refused (private mode, full): the run keeps its history in memory.
    }
  }
  function remember(s) {
    readStored();  // what another tab added meanwhile is kept
    withCString(s, (p) => q1._quorbit1_history_add(p));
    store();
  }
  readStored();

  // Up and Down walk the history as the desktop's field does (the module's rule).
  input.addEventListener('keydown', (event) => {
    if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
    event.preventDefault();
    const step = event.key === 'ArrowUp' ? -1 : 1;
    const shown = withCString(input.value, (p) => q1._quorbit1_recall(step, p));
    if (!shown) return;
    input.value = q1.UTF8ToString(shown);
    input.setSelectionRange(input.value.length, input.value.length);
  });

  $('clear-button').addEventListener('click', () => {
    readStored();
    const question = arg(text('quorbit1::CQuorbit1Dlg|Expressions in the history: %1. Remove them all? The command line, quorbit1-cli, keeps the same history, so they are gone there too.'), q1._quorbit1_history_size());
    // The page's history is the browser's own, not the command line's: the first sentences.
    $('clear-question').textContent = question.slice(0, question.indexOf('?') + 1) || question;
    $('clear-dialog').showModal();
  });
  $('clear-dialog').addEventListener('close', () => {
    if ($('clear-dialog').returnValue !== 'clear') return;
    withCString('', (p) => q1._quorbit1_history_read(p));
    store();
    $('errors').textContent = text('quorbit1::CQuorbit1Dlg|History cleared.');
    input.focus();
  });

  // --- About, help, variables. ---
  $('about-button').addEventListener('click', () => $('about-dialog').showModal());
  $('help-button').addEventListener('click', () => $('help-dialog').showModal());
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F1') {
      event.preventDefault();
      if (!$('help-dialog').open) $('help-dialog').showModal();
    }
  });
  for (const dialog of document.querySelectorAll('dialog')) {
    dialog.addEventListener('close', () => input.focus());
  }

  const letters = q1.UTF8ToString(q1._quorbit1_slot_letters());
  const slotFields = [...letters].map((letter, i) => {
    const label = document.createElement('label');
    label.textContent = letter + ' ';
    const field = document.createElement('input');
    field.type = 'text';
    field.inputMode = 'decimal';
    field.setAttribute('aria-label', arg(text('quorbit1::CVariablesDlg|Value of %1'), letter));
    field.dataset.slot = String(i);
    label.append(field);
    $('variables-fields').append(label);
    return field;
  });
  $('variables-button').addEventListener('click', () => {
    slotFields.forEach((f, i) => { f.value = String(q1._quorbit1_slot(i)); });
    $('variables-message').textContent = '';
    $('variables-dialog').showModal();
  });
  $('variables-form').addEventListener('submit', (event) => {
    const values = slotFields.map((f) => f.value.trim());
    const bad = values.findIndex((v) => !/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(v));
    if (bad >= 0) {
      event.preventDefault();
      $('variables-message').textContent = arg(text('quorbit1::CVariablesDlg|%1 is not a number.'), letters[bad]);
      slotFields[bad].focus();
      return;
    }
    values.forEach((v, i) => q1._quorbit1_set_slot(i, Number(v)));
  });

  // --- Show Working: beside the form on a wide screen, below it on a narrow one. ---
  function showWorking() {
    if ($('working').hidden) return;
    const panel = $('working-text');
    panel.textContent = '';
    const para = (s) => {
      const p = document.createElement('p');
      p.textContent = s;
      panel.append(p);
    };
    if (!lastOutcome) {
      para(text('quorbit1::CQuorbit1Dlg|No expression yet.'));
      return;
    }
    const { text: s, angleMode, outcome } = lastOutcome;
    const w = (source) => text('quorbit1::CWorkingWindow|' + source);
    const core = (source) => text('quorbit1::Working|' + source);  // the module's templates
    const working = JSON.parse(q1.UTF8ToString(q1._quorbit1_working()));
    const message = outcome.message ? text('quorbit1::Message|' + outcome.message) : '';
    // A text of thousands of characters is shown by its two ends, as the desktop shows it.
    const shown = s.length > 400 ? `${s.slice(0, 200)} \u2026 ${s.slice(-200)}` : s;
    para(arg(w('%1 in %2'), shown, w(angleMode === 1 ? 'radians' : 'degrees')));
    para(outcome.evaluated ? arg(w('Answer: %1'), outcome.answer) + (message ? ` (${message})` : '')
      : arg(w('Not evaluated: %1'), message));
    const refused = working.usual;
    if (refused) {
      const words = arg(core(refused.words), refused.subject);
      para(arg(w('Read with the usual precedence it is not an expression (%1).'),
        refused.position ? arg(core('%1 at position %2'), words, refused.position) : words));
    } else {
      para(arg(w('Read with the usual precedence it would give %1.'), outcome.usualReading.answer));
    }
    for (const stage of working.stages) {
      const table = document.createElement('table');
      table.createCaption().textContent = arg(core(stage.title), ...stage.args);
      const head = table.createTHead().insertRow();
      for (const heading of ['term', 'op', 'value', 'function', 'open', 'close']) {
        const th = document.createElement('th');
        th.scope = 'col';
        th.textContent = w(heading);
        head.append(th);
      }
      const body = table.createTBody();
      stage.terms.forEach((t, i) => {
        const row = body.insertRow();
        if (t.changed) row.className = 'changed';
        for (const cell of [i, t.op, t.value, t.function, t.open, t.close]) row.insertCell().textContent = String(cell);
      });
      panel.append(table);
      if (stage.termCount > stage.terms.length) {
        para(arg(w('... %1 more terms not shown'), stage.termCount - stage.terms.length));
      }
    }
    const last = working.stages[working.stages.length - 1];
    if (last && working.passCount > last.pass) {
      para(arg(w('... %1 more passes not shown'), working.passCount - last.pass));
    }
  }
  $('working-button').addEventListener('click', () => {
    const show = $('working').hidden;
    $('working').hidden = !show;
    $('working-button').setAttribute('aria-expanded', String(show));
    showWorking();
  });

  // --- Exit, where the page may close its own window: an installed app's. ---
  if (window.matchMedia('(display-mode: standalone)').matches) {
    $('exit').hidden = false;
    $('exit').addEventListener('click', () => window.close());
  }

  // --- Offline: the service worker, when the page is served (not opened from disk). ---
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
  if (location.protocol === 'file:') {
    $('manifest-link').remove();
  }
  document.body.dataset.ready = 'true';
  input.focus();
})();
