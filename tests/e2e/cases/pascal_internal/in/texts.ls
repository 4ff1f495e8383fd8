# Texts for the Pascal output
{LSF}
{HEADER}
NAME = English
OUTFILE = app.lng
PROGRAMID = XY
{/HEADER}
{BODY}
HELLO = Bonjour
Q'T = L'eau
EMPTY =
TRAIL = two blanks  
A B = inner blank ID
LONGKEY1 = only six bytes of the key
TAB = a	b
HIGH = café «»
HELLO = second, never returned
{/BODY}
{/LSF}
