<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quorbit1</source>
        <translation>Über Quorbit1</translation>
    </message>
    <message>
        <source>Quorbit1 icon</source>
        <translation>Quorbit1-Symbol</translation>
    </message>
    <message>
        <source>One expression at a time, by its own rules.</source>
        <translation>Ein Ausdruck nach dem anderen, nach eigenen Regeln.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDialog2</name>
    <message>
        <source>A Little Help</source>
        <translation>Kleine Hilfe</translation>
    </message>
    <message>
        <source>Functions that are supported in this App are Power functions or &quot;^&quot;, sin, cos, tan, Asin, Acos, Atan, Log, Ln, ALog and ALn, the A denoting the inverse.</source>
        <translation>Diese App unterstützt Potenzen mit „^“ sowie sin, cos, tan, Asin, Acos, Atan, Log, Ln, ALog und ALn; das A steht für die Umkehrfunktion.</translation>
    </message>
    <message>
        <source>You can type in either upper or lower case characters. If you make a mistake while inputting the equation, the error trapping will catch it before a program crash. Unlimited brackets are supported, so when in doubt, add them.</source>
        <translation>Sie können Groß- oder Kleinbuchstaben eingeben. Wenn Ihnen bei der Eingabe der Gleichung ein Fehler unterläuft, fängt die Fehlerprüfung ihn ab, bevor das Programm abstürzt. Klammern sind unbegrenzt möglich; setzen Sie im Zweifel lieber welche.</translation>
    </message>
    <message>
        <source>To input the equation do not use the form of X = 10 + cos(45), instead use 10 + cos(45).  When using a change of sign operator, include brackets. Do not enter -cos (45), instead use -(cos(45)). For more extensive instructions, please see the </source>
        <translation>Geben Sie die Gleichung nicht in der Form X = 10 + cos(45) ein, sondern als 10 + cos(45). Setzen Sie beim Vorzeichenwechsel Klammern: nicht -cos (45), sondern -(cos(45)). Ausführlichere Anleitungen finden Sie in der </translation>
    </message>
    <message>
        <source>documentation included in the zip file. Thank you for trying Quorbit1.</source>
        <translation>Dokumentation in der ZIP-Datei. Danke, dass Sie Quorbit1 ausprobieren.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CQuorbit1Dlg</name>
    <message>
        <source>Quorbit1</source>
        <translation>Quorbit1</translation>
    </message>
    <message>
        <source>Angle unit</source>
        <translation>Winkeleinheit</translation>
    </message>
    <message>
        <source>&amp;Degrees</source>
        <translation>Gra&amp;d</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Grad</translation>
    </message>
    <message>
        <source>&amp;Radians</source>
        <translation>&amp;Bogenmaß</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Bogenmaß</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Input Equation</source>
        <translation>Gleichung eingeben</translation>
    </message>
    <message>
        <source>Error Messages</source>
        <translation>Fehlermeldungen</translation>
    </message>
    <message>
        <source>Answer is:</source>
        <translation>Ergebnis:</translation>
    </message>
    <message>
        <source>&amp;Input Equation</source>
        <translation>&amp;Gleichung eingeben</translation>
    </message>
    <message>
        <source>&amp;Error Messages</source>
        <translation>&amp;Fehlermeldungen</translation>
    </message>
    <message>
        <source>&amp;Answer is:</source>
        <translation>&amp;Ergebnis:</translation>
    </message>
</context>
<context>
    <name>quorbit1::CAboutDlg</name>
    <message>
        <source>Quorbit1 Version %1</source>
        <translation>Quorbit1 Version %1</translation>
    </message>
</context>
<context>
    <name>quorbit1::CQuorbit1Dlg</name>
    <message>
        <source>&amp;About Quorbit1...</source>
        <translation>&amp;Über Quorbit1...</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>A&amp;bout Quorbit1</source>
        <translation>&amp;Über Quorbit1</translation>
    </message>
    <message>
        <source>A Little &amp;Help</source>
        <translation>Kleine &amp;Hilfe</translation>
    </message>
    <message>
        <source>Show &amp;Working</source>
        <translation>&amp;Rechenweg zeigen</translation>
    </message>
    <message>
        <source>&amp;Variables</source>
        <translation>&amp;Variablen</translation>
    </message>
    <message>
        <source>The expression. No operator precedence: each bracket level is worked from right to left, so 2*3+4 gives 14. Up and Down recall earlier ones.</source>
        <translation>Der Ausdruck. Ohne Punkt-vor-Strich: Jede Klammerebene wird von rechts nach links ausgerechnet, 2*3+4 ergibt also 14. Pfeil hoch und runter holen frühere zurück.</translation>
    </message>
    <message>
        <source>What was wrong with the last expression, if anything.</source>
        <translation>Was am letzten Ausdruck falsch war, falls etwas.</translation>
    </message>
    <message>
        <source>The answer to the last expression.</source>
        <translation>Das Ergebnis des letzten Ausdrucks.</translation>
    </message>
    <message>
        <source>Whether sin, cos and tan take, and asin, acos and atan give, degrees or radians.</source>
        <translation>Ob sin, cos und tan Winkel in Grad oder im Bogenmaß nehmen und asin, acos und atan sie so liefern.</translation>
    </message>
    <message>
        <source>No expression yet.</source>
        <translation>Noch kein Ausdruck.</translation>
    </message>
    <message>
        <source>About Quorbit</source>
        <translation>Über Quorbit</translation>
    </message>
    <message>
        <source>&amp;Clear History</source>
        <translation>Verlauf &amp;löschen</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <source>Expressions in the history: %1. Remove them all? The command line, quorbit1-cli, keeps the same history, so they are gone there too.</source>
        <translation>Ausdrücke im Verlauf: %1. Alle entfernen? Die Kommandozeile, quorbit1-cli, teilt diesen Verlauf, dort sind sie dann auch gelöscht.</translation>
    </message>
    <message>
        <source>History cleared.</source>
        <translation>Verlauf gelöscht.</translation>
    </message>
    <message>
        <source>The history file could not be emptied.</source>
        <translation>Die Verlaufsdatei konnte nicht geleert werden.</translation>
    </message>
    <message>
        <source>Quorbit1 Version %1</source>
        <translation>Quorbit1 Version %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quorbit1::CVariablesDlg</name>
    <message>
        <source>Variables</source>
        <translation>Variablen</translation>
    </message>
    <message>
        <source>Value of %1</source>
        <translation>Wert von %1</translation>
    </message>
    <message>
        <source>What the letters stand for in expressions, for this run:</source>
        <translation>Wofür die Buchstaben in Ausdrücken stehen, für diese Sitzung:</translation>
    </message>
    <message>
        <source>%1 is not a number.</source>
        <translation>%1 ist keine Zahl.</translation>
    </message>
</context>
<context>
    <name>quorbit1::CWorkingWindow</name>
    <message>
        <source>Quorbit1 - Working</source>
        <translation>Quorbit1 – Rechenweg</translation>
    </message>
    <message>
        <source>Working of the last expression</source>
        <translation>Rechenweg des letzten Ausdrucks</translation>
    </message>
    <message>
        <source>radians</source>
        <translation>Bogenmaß</translation>
    </message>
    <message>
        <source>degrees</source>
        <translation>Grad</translation>
    </message>
    <message>
        <source>Not evaluated: %1</source>
        <translation>Nicht ausgewertet: %1</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Ergebnis: %1</translation>
    </message>
    <message>
        <source>Read with the usual precedence it would give %1.</source>
        <translation>Mit der üblichen Rangfolge gelesen ergäbe er %1.</translation>
    </message>
    <message>
        <source>Read with the usual precedence it is not an expression (%1).</source>
        <translation>Mit der üblichen Rangfolge gelesen ist er kein Ausdruck (%1).</translation>
    </message>
    <message>
        <source>term</source>
        <translation>Term</translation>
    </message>
    <message>
        <source>op</source>
        <translation>Op</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>open</source>
        <translation>auf</translation>
    </message>
    <message>
        <source>close</source>
        <translation>zu</translation>
    </message>
    <message>
        <source>... %1 more terms not shown</source>
        <translation>... %1 weitere Terme nicht gezeigt</translation>
    </message>
    <message>
        <source>... %1 more passes not shown</source>
        <translation>... %1 weitere Durchgänge nicht gezeigt</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>the expression, in degrees or radians</comment>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>Read as %1</source>
        <comment>what the calculator computed, with school precedence</comment>
        <translation>Gelesen als %1</translation>
    </message>
</context>
<context>
    <name>quorbit1::Message</name>
    <message>
        <source>Unbalanced Parentheses</source>
        <translation>Klammern nicht ausgeglichen</translation>
    </message>
    <message>
        <source>Invalid Trig or Exponent.</source>
        <translation>Ungültige Winkelfunktion oder ungültiger Exponent.</translation>
    </message>
    <message>
        <source>Two or more spaces in Sequence.</source>
        <translation>Zwei oder mehr Leerzeichen hintereinander.</translation>
    </message>
    <message>
        <source>Two sequential operators.</source>
        <translation>Zwei Operatoren hintereinander.</translation>
    </message>
    <message>
        <source>Log10 negatives not allowed.</source>
        <translation>Log10 negativer Zahlen nicht erlaubt.</translation>
    </message>
    <message>
        <source>Ln negatives not allowed.</source>
        <translation>Ln negativer Zahlen nicht erlaubt.</translation>
    </message>
    <message>
        <source>Math domain error.</source>
        <translation>Außerhalb des Definitionsbereichs.</translation>
    </message>
    <message>
        <source>Number too long.</source>
        <translation>Zahl zu lang.</translation>
    </message>
    <message>
        <source>Invalid character.</source>
        <translation>Ungültiges Zeichen.</translation>
    </message>
    <message>
        <source>Enter an equation.</source>
        <translation>Geben Sie eine Gleichung ein.</translation>
    </message>
    <message>
        <source>= is not supported. Restructure.</source>
        <translation>= wird nicht unterstützt. Bitte umformulieren.</translation>
    </message>
    <message>
        <source>Not enough memory for this expression.</source>
        <translation>Nicht genug Speicher für diesen Ausdruck.</translation>
    </message>
    <message>
        <source>An expression of more than %1 characters is not taken; nothing was evaluated.</source>
        <translation>Ein Ausdruck mit mehr als %1 Zeichen wird nicht angenommen; es wurde nichts berechnet.</translation>
    </message>
    <message>
        <source>The history cannot be stored here; it is kept for this run only.</source>
        <translation>Der Verlauf kann hier nicht gespeichert werden; er bleibt nur für diese Sitzung erhalten.</translation>
    </message>
</context>
<context>
    <name>quorbit1::Page</name>
    <message>
        <source>This page comes without a zip file: the documentation is the README of the Quorbit1 project, where the page came from.</source>
        <translation>Zu dieser Seite gehört keine Zip-Datei: Die Dokumentation ist das README des Projekts Quorbit1, von dem die Seite stammt.</translation>
    </message>
</context>
<context>
    <name>quorbit1::Working</name>
    <message>
        <source>after the scan</source>
        <translation>nach dem Einlesen</translation>
    </message>
    <message>
        <source>pass %1: started at term %2, worked on term %2</source>
        <translation>Durchgang %1: begann bei Term %2, bearbeitete Term %2</translation>
    </message>
    <message>
        <source>pass %1: started at term %2, swept terms %3 to %2</source>
        <translation>Durchgang %1: begann bei Term %2, fasste die Terme %3 bis %2 zusammen</translation>
    </message>
    <message>
        <source>the text is empty</source>
        <translation>der Text ist leer</translation>
    </message>
    <message>
        <source>unexpected &apos;%1&apos;</source>
        <translation>unerwartetes „%1“</translation>
    </message>
    <message>
        <source>nested too deeply for this reading</source>
        <translation>für diese Lesart zu tief geschachtelt</translation>
    </message>
    <message>
        <source>an operand is missing</source>
        <translation>ein Operand fehlt</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected</source>
        <translation>„)“ erwartet</translation>
    </message>
    <message>
        <source>a number has no digits</source>
        <translation>eine Zahl hat keine Ziffern</translation>
    </message>
    <message>
        <source>unknown name &apos;%1&apos;</source>
        <translation>unbekannter Name „%1“</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected after %1</source>
        <translation>„(“ erwartet nach %1</translation>
    </message>
    <message>
        <source>%1 at position %2</source>
        <translation>%1 an Position %2</translation>
    </message>
    <message>
        <source>%1 left out: a zero left factor is an empty slot</source>
        <translation>%1 weggelassen: ein linker Faktor null ist ein leerer Platz</translation>
    </message>
    <message>
        <source>%1 not done: division by almost zero</source>
        <translation>%1 nicht ausgeführt: Division durch fast null</translation>
    </message>
    <message>
        <source>%1 left out: a dividend of almost zero is an empty slot</source>
        <translation>%1 weggelassen: ein Dividend von fast null ist ein leerer Platz</translation>
    </message>
    <message>
        <source>%1: a minus before a function negates the function&apos;s argument</source>
        <translation>%1: ein Minus vor einer Funktion negiert das Argument der Funktion</translation>
    </message>
    <message>
        <source>%1 left out: of a function of a function only the inner one is kept</source>
        <translation>%1 weggelassen: von einer Funktion einer Funktion bleibt nur die innere</translation>
    </message>
    <message>
        <source>%1: the digits of a term are added into one number where they stand</source>
        <translation>%1: die Ziffern eines Terms werden dort, wo sie stehen, zu einer Zahl addiert</translation>
    </message>
    <message>
        <source>%1 taken as 0: no logarithm of a number that is not above 0</source>
        <translation>%1 als 0 genommen: kein Logarithmus einer Zahl, die nicht größer als 0 ist</translation>
    </message>
    <message>
        <source>%1 left out: a term of 0 is an empty slot that the next term moves into</source>
        <translation>%1 weggelassen: ein Term 0 ist ein leerer Platz, in den der nächste Term rückt</translation>
    </message>
</context>
</TS>
