{LSF}
{HEADER}
OUTFILE = app.ls
{/HEADER}
{BODY}
A = a
{/BODY}
{/LSF}
