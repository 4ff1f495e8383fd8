{LSF}
{HEADER}
NAME = Français
ICONFILE = app.ico
OUTFILE = app.lng
COMPRESSION = 99
{/HEADER}
{BODY}
MENU01 = &Fichier
MENU02 = &Édition
MSG001 = Enregistrer les modifications de "%s" ?
MSG002 = Enregistrer les modifications de "%s" ?
EMPTY =
{/BODY}
{/LSF}
