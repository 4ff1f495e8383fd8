{LSF}
{HEADER}
OUTFILE = app.lng
{/HEADER}
{BODY}
{/BODY}
{/LSF}
