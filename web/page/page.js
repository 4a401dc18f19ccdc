// The form's behaviour: it reads the controls, hands what the user does to the calculator (the
// desktop's own session, through the wrapper in web/js/quorbit1.mjs) and shows what comes back.
// Every rule (evaluation, messages, the field's limit, a variable's value, what the history
// keeps) is the calculator's; every text is the dialog's, from its .ts files.
'use strict';

(async () => {
  const $ = (id) => document.getElementById(id);
  const calc = await createCalculator({ factory: createQuorbit1 });

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
  const messageText = (english) => (english ? text('quorbit1::Message|' + english) : '');
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
  $('menu').setAttribute('aria-label', text('quorbit1::CQuorbit1Dlg|Menu bar'));
  const version = arg(text('quorbit1::CQuorbit1Dlg|Quorbit1 Version %1'), calc.version);
  $('version').textContent = version;
  $('about-version').textContent = version;
  document.title = withoutAmpersand(text('CQuorbit1Dlg|Quorbit1'));

  // --- The OK command. ---
  const input = $('input');
  const answer = $('answer');
  const errors = $('errors');
  // Read-only fields are not announced when they change; this region says each new message.
  const showMessage = (s) => {
    errors.value = s;
    $('announce').textContent = s ? `${s} ${answer.value}` : answer.value;
  };
  const fieldRefusal = () => arg(messageText(calc.fieldRefusal), calc.fieldLimit.toLocaleString(lang));

  function ok() {
    const s = input.value;
    if (!calc.fieldTakes(s)) {
      showMessage(fieldRefusal());
      return;
    }
    calc.setRadians($('radians').checked);
    const outcome = calc.ok(s);
    answer.value = outcome.answer;
    showMessage(messageText(outcome.message));
    const notice = calc.takeHistoryNotice();
    if (notice) showMessage([errors.value, messageText(notice)].filter(Boolean).join(' '));
    input.focus();
    if (outcome.mark) input.setSelectionRange(...outcome.mark);
    showWorking();
  }

  $('ok-form').addEventListener('submit', (event) => {
    event.preventDefault();
    ok();
  });
  // A longer paste is refused with the field's message, and the field keeps what it held.
  let before = '';
  input.addEventListener('input', () => {
    if (calc.fieldTakes(input.value)) {
      before = input.value;
      return;
    }
    input.value = before;
    showMessage(fieldRefusal());
  });

  // --- The history, kept in the browser's storage by the calculator. ---
  calc.useHistory(browserStorage());

  // Up and Down walk the history as the desktop's field does.
  input.addEventListener('keydown', (event) => {
    if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
    event.preventDefault();
    const shown = calc.recall(event.key === 'ArrowUp' ? -1 : 1, input.value);
    if (shown === null) return;
    input.value = shown;
    before = shown;
    input.setSelectionRange(shown.length, shown.length);
  });

  $('clear-button').addEventListener('click', () => {
    const question = arg(text('quorbit1::CQuorbit1Dlg|Expressions in the history: %1. Remove them all? The command line, quorbit1-cli, keeps the same history, so they are gone there too.'), calc.historySize);
    // The page's history is the browser's own, not the command line's: the first sentences.
    $('clear-question').textContent = question.slice(0, question.indexOf('?') + 1) || question;
    $('clear-dialog').showModal();
  });
  $('clear-dialog').addEventListener('close', () => {
    if ($('clear-dialog').returnValue !== 'clear') return;
    calc.clearHistory();
    showMessage(text('quorbit1::CQuorbit1Dlg|History cleared.'));
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

  // The user's decimal separator, as the browser writes numbers in this language.
  const decimalSeparator = (1.5).toLocaleString(lang).replace(/[15]/g, '') || '.';
  const letters = calc.slotLetters;
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
    slotFields.forEach((f, i) => { f.value = String(calc.slot(letters[i])); });
    $('variables-message').textContent = '';
    $('variables-dialog').showModal();
  });
  $('variables-form').addEventListener('submit', (event) => {
    // All or nothing, as the desktop's dialog: the first value that is not a number is named.
    const kept = [...letters].map((l) => calc.slot(l));
    const bad = slotFields.findIndex((f, i) => !calc.setSlotText(letters[i], f.value, decimalSeparator));
    if (bad >= 0) {
      [...letters].forEach((l, i) => calc.setSlot(l, kept[i]));
      event.preventDefault();
      $('variables-message').textContent = arg(text('quorbit1::CVariablesDlg|%1 is not a number.'), letters[bad]);
      slotFields[bad].focus();
    }
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
    const w = (source) => text('quorbit1::CWorkingWindow|' + source);
    const core = (source) => text('quorbit1::Working|' + source);  // the calculator's templates
    const working = calc.working();
    if (!working.command) {
      para(text('quorbit1::CQuorbit1Dlg|No expression yet.'));
      return;
    }
    const { shownText, angleUnit, evaluated, answer: value, message: english } = working.command;
    const message = messageText(english);
    para(arg(w('%1 in %2'), shownText, w(angleUnit)));
    para(evaluated ? arg(w('Answer: %1'), value) + (message ? ` (${message})` : '')
      : arg(w('Not evaluated: %1'), message));
    if (working.readAs) {
      para(arg(w('Read as %1'), working.readAs.text));
      for (const note of working.readAs.notes) para('\u00a0\u00a0' + arg(core(note.words), note.places));
    }
    const refused = working.usual;
    if (refused) {
      const words = arg(core(refused.words), refused.subject);
      para(arg(w('Read with the usual precedence it is not an expression (%1).'),
        refused.position ? arg(core('%1 at position %2'), words, refused.position) : words));
    } else {
      para(arg(w('Read with the usual precedence it would give %1.'), working.command.usualAnswer));
    }
    for (const stage of working.stages) {
      const table = document.createElement('table');
      table.createCaption().textContent = arg(core(stage.title), ...stage.args);
      const head = table.createTHead().insertRow();
      for (const heading of working.columns) {
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

  // --- Served, not opened from disk: the app's manifest and, for offline use, the worker. ---
  if (location.protocol !== 'file:') {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
  }
  document.body.dataset.ready = 'true';
  input.focus();
})();
