# zmlfc demo: the English texts of a small editor.
{LSF}
{HEADER}
NAME        = English
AUTHOR      = The Demo Editor team
URL         = https://example.org/demo
EMAIL       = demo@example.org
FONTNAME    = Tahoma
ICONFILE    = demo.ico
OUTFILE     = demo.lng
PROGRAMID   = DE
PROGRAMVER  = 3
COMPRESSION = 99
{/HEADER}

{BODY}
# Menus
MENU01 = &File
MENU02 = &Edit
MENU03 = &View
MENU04 = &Help
# Messages
MSG001 = Save the changes to "%s"?
MSG002 = The file "%s" could not be opened.
MSG003 = Replace all occurrences = %d
MSG004 = Ready
ABOUT1 = Demo Editor - a small text editor
{/BODY}
{/LSF}
