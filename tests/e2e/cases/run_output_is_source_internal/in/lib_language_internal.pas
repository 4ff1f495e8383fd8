{LSF}
{HEADER}
OUTFILE = .\app.lng
{/HEADER}
{/LSF}
