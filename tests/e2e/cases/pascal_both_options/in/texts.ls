{LSF}
{HEADER}
OUTFILE = app.lng
PROGRAMID = XY
{/HEADER}
{BODY}
HELLO = Bonjour
{/BODY}
{/LSF}
