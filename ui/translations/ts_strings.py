"""The finished translations of ui/translations/*.ts, which lupdate makes from the dialog's .ui
and source files: what the page and the Windows window take their texts from."""
import xml.etree.ElementTree as ET


def strings(ts_dir):
    """{language: {"context|source": translation}} for every finished translation."""
    tables = {}
    for ts in sorted(ts_dir.glob('quorbit1_*.ts')):
        lang = ts.stem.split('_', 1)[1]
        table = {}
        for context in ET.parse(ts).getroot().iter('context'):
            name = context.findtext('name')
            for message in context.iter('message'):
                translation = message.find('translation')
                if translation is None or translation.get('type') in ('unfinished', 'obsolete',
                                                                       'vanished'):
                    continue
                table[f"{name}|{message.findtext('source')}"] = translation.text or ''
        tables[lang] = table
    return tables
