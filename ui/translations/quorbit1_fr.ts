<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quorbit1</source>
        <translation>À propos de Quorbit1</translation>
    </message>
    <message>
        <source>Quorbit1 icon</source>
        <translation>Icône de Quorbit1</translation>
    </message>
    <message>
        <source>One expression at a time, by its own rules.</source>
        <translation>Une expression à la fois, selon ses propres règles.</translation>
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
        <translation>Petite aide</translation>
    </message>
    <message>
        <source>Functions that are supported in this App are Power functions or &quot;^&quot;, sin, cos, tan, Asin, Acos, Atan, Log, Ln, ALog and ALn, the A denoting the inverse.</source>
        <translation>Cette application prend en charge les puissances avec « ^ », ainsi que sin, cos, tan, Asin, Acos, Atan, Log, Ln, ALog et ALn, le A désignant la fonction inverse.</translation>
    </message>
    <message>
        <source>You can type in either upper or lower case characters. If you make a mistake while inputting the equation, the error trapping will catch it before a program crash. Unlimited brackets are supported, so when in doubt, add them.</source>
        <translation>Vous pouvez taper en majuscules ou en minuscules. Si vous faites une erreur en saisissant l&apos;équation, le contrôle des erreurs l&apos;intercepte avant que le programme ne plante. Les parenthèses sont illimitées : dans le doute, ajoutez-en.</translation>
    </message>
    <message>
        <source>To input the equation do not use the form of X = 10 + cos(45), instead use 10 + cos(45).  When using a change of sign operator, include brackets. Do not enter -cos (45), instead use -(cos(45)). For more extensive instructions, please see the </source>
        <translation>Pour saisir l&apos;équation, n&apos;utilisez pas la forme X = 10 + cos(45), mais 10 + cos(45). Pour un changement de signe, ajoutez des parenthèses : n&apos;entrez pas -cos (45), mais -(cos(45)). Pour des instructions plus complètes, consultez la </translation>
    </message>
    <message>
        <source>documentation included in the zip file. Thank you for trying Quorbit1.</source>
        <translation>documentation incluse dans le fichier zip. Merci d&apos;avoir essayé Quorbit1.</translation>
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
        <translation>Unité d&apos;angle</translation>
    </message>
    <message>
        <source>&amp;Degrees</source>
        <translation>&amp;Degrés</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Degrés</translation>
    </message>
    <message>
        <source>&amp;Radians</source>
        <translation>Radi&amp;ans</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radians</translation>
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
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Input Equation</source>
        <translation>Saisir l&apos;équation</translation>
    </message>
    <message>
        <source>Error Messages</source>
        <translation>Messages d&apos;erreur</translation>
    </message>
    <message>
        <source>Answer is:</source>
        <translation>Résultat :</translation>
    </message>
    <message>
        <source>&amp;Input Equation</source>
        <translation>&amp;Saisir l&apos;équation</translation>
    </message>
    <message>
        <source>&amp;Error Messages</source>
        <translation>Messages d&apos;&amp;erreur</translation>
    </message>
    <message>
        <source>&amp;Answer is:</source>
        <translation>&amp;Résultat :</translation>
    </message>
</context>
<context>
    <name>quorbit1::CAboutDlg</name>
    <message>
        <source>Quorbit1 Version %1</source>
        <translation>Quorbit1 version %1</translation>
    </message>
</context>
<context>
    <name>quorbit1::CQuorbit1Dlg</name>
    <message>
        <source>&amp;About Quorbit1...</source>
        <translation>À &amp;propos de Quorbit1...</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>Barre de menus</translation>
    </message>
    <message>
        <source>A&amp;bout Quorbit1</source>
        <translation>À &amp;propos de Quorbit1</translation>
    </message>
    <message>
        <source>A Little &amp;Help</source>
        <translation>Petite a&amp;ide</translation>
    </message>
    <message>
        <source>Show &amp;Working</source>
        <translation>&amp;Montrer le calcul</translation>
    </message>
    <message>
        <source>&amp;Variables</source>
        <translation>&amp;Variables</translation>
    </message>
    <message>
        <source>The expression. No operator precedence: each bracket level is worked from right to left, so 2*3+4 gives 14. Up and Down recall earlier ones.</source>
        <translation>L&apos;expression. Pas de priorité des opérateurs : chaque niveau de parenthèses est calculé de droite à gauche, donc 2*3+4 donne 14. Les flèches haut et bas rappellent les précédentes.</translation>
    </message>
    <message>
        <source>What was wrong with the last expression, if anything.</source>
        <translation>Ce qui n&apos;allait pas dans la dernière expression, s&apos;il y a lieu.</translation>
    </message>
    <message>
        <source>The answer to the last expression.</source>
        <translation>Le résultat de la dernière expression.</translation>
    </message>
    <message>
        <source>Whether sin, cos and tan take, and asin, acos and atan give, degrees or radians.</source>
        <translation>Si sin, cos et tan prennent, et asin, acos et atan donnent, des degrés ou des radians.</translation>
    </message>
    <message>
        <source>No expression yet.</source>
        <translation>Pas encore d&apos;expression.</translation>
    </message>
    <message>
        <source>About Quorbit</source>
        <translation>À propos de Quorbit</translation>
    </message>
    <message>
        <source>&amp;Clear History</source>
        <translation>Effacer l&apos;&amp;historique</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Effacer l’historique</translation>
    </message>
    <message>
        <source>Expressions in the history: %1. Remove them all? The command line, quorbit1-cli, keeps the same history, so they are gone there too.</source>
        <translation>Expressions dans l’historique : %1. Les supprimer toutes ? La ligne de commande, quorbit1-cli, partage cet historique : elles y disparaissent aussi.</translation>
    </message>
    <message>
        <source>History cleared.</source>
        <translation>Historique effacé.</translation>
    </message>
    <message>
        <source>The history file could not be emptied.</source>
        <translation>Le fichier d’historique n’a pas pu être vidé.</translation>
    </message>
    <message>
        <source>Quorbit1 Version %1</source>
        <translation>Quorbit1 version %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>quorbit1::CVariablesDlg</name>
    <message>
        <source>Variables</source>
        <translation>Variables</translation>
    </message>
    <message>
        <source>Value of %1</source>
        <translation>Valeur de %1</translation>
    </message>
    <message>
        <source>What the letters stand for in expressions, for this run:</source>
        <translation>Ce que valent les lettres dans les expressions, pour cette session :</translation>
    </message>
    <message>
        <source>%1 is not a number.</source>
        <translation>%1 n&apos;est pas un nombre.</translation>
    </message>
</context>
<context>
    <name>quorbit1::CWorkingWindow</name>
    <message>
        <source>Quorbit1 - Working</source>
        <translation>Quorbit1 – Calcul</translation>
    </message>
    <message>
        <source>Working of the last expression</source>
        <translation>Calcul de la dernière expression</translation>
    </message>
    <message>
        <source>radians</source>
        <translation>radians</translation>
    </message>
    <message>
        <source>degrees</source>
        <translation>degrés</translation>
    </message>
    <message>
        <source>Not evaluated: %1</source>
        <translation>Non évaluée : %1</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Résultat : %1</translation>
    </message>
    <message>
        <source>Read with the usual precedence it would give %1.</source>
        <translation>Lue avec les priorités habituelles, elle donnerait %1.</translation>
    </message>
    <message>
        <source>Read with the usual precedence it is not an expression (%1).</source>
        <translation>Lue avec les priorités habituelles, ce n&apos;est pas une expression (%1).</translation>
    </message>
    <message>
        <source>term</source>
        <translation>terme</translation>
    </message>
    <message>
        <source>op</source>
        <translation>op</translation>
    </message>
    <message>
        <source>value</source>
        <translation>valeur</translation>
    </message>
    <message>
        <source>function</source>
        <translation>fonction</translation>
    </message>
    <message>
        <source>open</source>
        <translation>ouv.</translation>
    </message>
    <message>
        <source>close</source>
        <translation>ferm.</translation>
    </message>
    <message>
        <source>... %1 more terms not shown</source>
        <translation>... %1 termes de plus non affichés</translation>
    </message>
    <message>
        <source>... %1 more passes not shown</source>
        <translation>... %1 passes de plus non affichées</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <comment>the expression, in degrees or radians</comment>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>Read as %1</source>
        <comment>what the calculator computed, with school precedence</comment>
        <translation>Lu comme %1</translation>
    </message>
</context>
<context>
    <name>quorbit1::Message</name>
    <message>
        <source>Unbalanced Parentheses</source>
        <translation>Parenthèses non équilibrées</translation>
    </message>
    <message>
        <source>Invalid Trig or Exponent.</source>
        <translation>Fonction trigonométrique ou exposant invalide.</translation>
    </message>
    <message>
        <source>Two or more spaces in Sequence.</source>
        <translation>Deux espaces ou plus à la suite.</translation>
    </message>
    <message>
        <source>Two sequential operators.</source>
        <translation>Deux opérateurs à la suite.</translation>
    </message>
    <message>
        <source>Log10 negatives not allowed.</source>
        <translation>Log10 d&apos;un nombre négatif non autorisé.</translation>
    </message>
    <message>
        <source>Ln negatives not allowed.</source>
        <translation>Ln d&apos;un nombre négatif non autorisé.</translation>
    </message>
    <message>
        <source>Math domain error.</source>
        <translation>Erreur de domaine mathématique.</translation>
    </message>
    <message>
        <source>Number too long.</source>
        <translation>Nombre trop long.</translation>
    </message>
    <message>
        <source>Invalid character.</source>
        <translation>Caractère invalide.</translation>
    </message>
    <message>
        <source>Enter an equation.</source>
        <translation>Saisissez une équation.</translation>
    </message>
    <message>
        <source>= is not supported. Restructure.</source>
        <translation>= n&apos;est pas pris en charge. Reformulez.</translation>
    </message>
    <message>
        <source>Not enough memory for this expression.</source>
        <translation>Pas assez de mémoire pour cette expression.</translation>
    </message>
    <message>
        <source>An expression of more than %1 characters is not taken; nothing was evaluated.</source>
        <translation>Une expression de plus de %1 caractères n’est pas acceptée ; rien n’a été calculé.</translation>
    </message>
    <message>
        <source>The history cannot be stored here; it is kept for this run only.</source>
        <translation>L’historique ne peut pas être enregistré ici ; il est conservé pour cette session seulement.</translation>
    </message>
</context>
<context>
    <name>quorbit1::Page</name>
    <message>
        <source>This page comes without a zip file: the documentation is the README of the Quorbit1 project, where the page came from.</source>
        <translation>Cette page n’est pas livrée avec un fichier zip : la documentation est le README du projet Quorbit1, d’où vient la page.</translation>
    </message>
</context>
<context>
    <name>quorbit1::Working</name>
    <message>
        <source>after the scan</source>
        <translation>après la lecture</translation>
    </message>
    <message>
        <source>pass %1: started at term %2, worked on term %2</source>
        <translation>passe %1 : commencée au terme %2, a traité le terme %2</translation>
    </message>
    <message>
        <source>pass %1: started at term %2, swept terms %3 to %2</source>
        <translation>passe %1 : commencée au terme %2, a réduit les termes %3 à %2</translation>
    </message>
    <message>
        <source>the text is empty</source>
        <translation>le texte est vide</translation>
    </message>
    <message>
        <source>unexpected &apos;%1&apos;</source>
        <translation>« %1 » inattendu</translation>
    </message>
    <message>
        <source>nested too deeply for this reading</source>
        <translation>imbrication trop profonde pour cette lecture</translation>
    </message>
    <message>
        <source>an operand is missing</source>
        <translation>un opérande manque</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected</source>
        <translation>« ) » attendu</translation>
    </message>
    <message>
        <source>a number has no digits</source>
        <translation>un nombre n’a pas de chiffres</translation>
    </message>
    <message>
        <source>unknown name &apos;%1&apos;</source>
        <translation>nom inconnu « %1 »</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected after %1</source>
        <translation>« ( » attendu après %1</translation>
    </message>
    <message>
        <source>%1 at position %2</source>
        <translation>%1 à la position %2</translation>
    </message>
    <message>
        <source>%1 left out: a zero left factor is an empty slot</source>
        <translation>%1 omis : un facteur gauche nul est une case vide</translation>
    </message>
    <message>
        <source>%1 not done: division by almost zero</source>
        <translation>%1 non effectuée : division par presque zéro</translation>
    </message>
    <message>
        <source>%1 left out: a dividend of almost zero is an empty slot</source>
        <translation>%1 omis : un dividende de presque zéro est une case vide</translation>
    </message>
    <message>
        <source>%1: a minus before a function negates the function&apos;s argument</source>
        <translation>%1 : un moins devant une fonction change le signe de son argument</translation>
    </message>
    <message>
        <source>%1 left out: of a function of a function only the inner one is kept</source>
        <translation>%1 omis : d&apos;une fonction de fonction, seule la fonction intérieure est gardée</translation>
    </message>
    <message>
        <source>%1: the digits of a term are added into one number where they stand</source>
        <translation>%1 : les chiffres d&apos;un terme sont additionnés en un nombre là où ils se trouvent</translation>
    </message>
    <message>
        <source>%1 taken as 0: no logarithm of a number that is not above 0</source>
        <translation>%1 pris pour 0 : pas de logarithme d&apos;un nombre qui n&apos;est pas supérieur à 0</translation>
    </message>
    <message>
        <source>%1 left out: a term of 0 is an empty slot that the next term moves into</source>
        <translation>%1 omis : un terme 0 est une case vide où vient le terme suivant</translation>
    </message>
</context>
</TS>
