{LSF}
{HEADER}
NAME = Français
PROGRAMID = AB
PROGRAMVER = $FF
COMPRESSION = 0x63
ICONFILE = icon.ico
OUTFILE = out\app.lng
{/HEADER}
{BODY}
HELLO = Bonjour
QUOTE = L'eau
EMPTY =
LONGID7 = a = b # c
 = no key
TAB	=	x  
{/BODY}
{/LSF}
